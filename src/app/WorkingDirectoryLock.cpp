#include "app/WorkingDirectoryLock.h"

#include "app/StartupNames.h"

#include <QFile>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmur {

namespace {

constexpr std::string_view kLockFileLine = "KalmurTEST\n";

// Opens dirPath as a directory without following a symbolic link in its last
// component, and only when it belongs to this user. Working members live there,
// so a directory planted by someone else (or a link to one) must never be used.
UniqueFd openOwnDirectory(const QByteArray& dirPath) {
    UniqueFd dir(::open(dirPath.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!dir.isValid()) {
        return {};
    }
    struct stat info {};
    if (::fstat(dir.get(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
        return {};
    }
    return dir;
}

// Opens and locks the lock file inside dir. The file is not truncated before the
// lock is held, so a failed attempt never touches a lock file another copy owns.
UniqueFd lockLockFile(const UniqueFd& dir) {
    // O_NONBLOCK keeps a planted FIFO from hanging the open; it is refused below.
    UniqueFd lock(::openat(dir.get(), kLockFileName,
                           O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK,
                           S_IRUSR | S_IWUSR));
    if (!lock.isValid()) {
        return {};
    }
    struct stat info {};
    if (::fstat(lock.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    int locked = -1;
    do {
        locked = ::flock(lock.get(), LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        return {};
    }
    if (::ftruncate(lock.get(), 0) != 0 || !lock.writeAll(kLockFileLine)) {
        return {};
    }
    return lock;
}

} // namespace

WorkingDirectoryLock::WorkingDirectoryLock(UniqueFd fd, QString path, int number)
    : m_fd(std::move(fd))
    , m_path(std::move(path))
    , m_number(number) {
}

WorkingDirectoryLock::WorkingDirectoryLock(WorkingDirectoryLock&& other) noexcept
    : m_fd(std::move(other.m_fd))
    , m_path(std::exchange(other.m_path, QString()))
    , m_number(std::exchange(other.m_number, 0)) {
}

WorkingDirectoryLock& WorkingDirectoryLock::operator=(WorkingDirectoryLock&& other) noexcept {
    if (this != &other) {
        m_fd = std::move(other.m_fd);
        m_path = std::exchange(other.m_path, QString());
        m_number = std::exchange(other.m_number, 0);
    }
    return *this;
}

QString WorkingDirectoryLock::directoryName(int number) {
    return QLatin1String(kWorkingDirectoryPrefix) +
           QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

std::optional<WorkingDirectoryLock> WorkingDirectoryLock::tryClaim(const QString& baseDir,
                                                                   int number) {
    if (number < 1 || number > kMaxWorkingDirectories) {
        return std::nullopt;
    }
    const QString path = baseDir + QLatin1Char('/') + directoryName(number);
    const QByteArray nativePath = QFile::encodeName(path);
    // An existing directory is fine; whatever is there is checked next.
    ::mkdir(nativePath.constData(), S_IRWXU);

    const UniqueFd dir = openOwnDirectory(nativePath);
    if (!dir.isValid()) {
        return std::nullopt;
    }
    UniqueFd lock = lockLockFile(dir);
    if (!lock.isValid()) {
        return std::nullopt;
    }
    return WorkingDirectoryLock(std::move(lock), path, number);
}

void WorkingDirectoryLock::release() {
    m_fd.reset();
    m_path.clear();
    m_number = 0;
}

} // namespace kalmur
