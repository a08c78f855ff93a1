#include "files/ReplacingFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmur {

namespace {

// The directory part of a path as the file system sees it.
QByteArray directoryOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    if (slash == 0) {
        return QByteArrayLiteral("/");
    }
    return path.left(slash);
}

void closeIfOpen(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

ReplacingFile::~ReplacingFile() {
    discard();
    closeIfOpen(m_directoryFd);
}

QString ReplacingFile::temporaryPathFor(const QString& targetPath) {
    const qsizetype slash = targetPath.lastIndexOf(u'/');
    return targetPath.left(slash + 1) + u'.' + targetPath.mid(slash + 1) +
           QStringLiteral(".kalmur-save");
}

bool ReplacingFile::begin(const QString& targetPath) {
    discard();
    closeIfOpen(m_directoryFd);
    m_committed = false;
    m_target = QFile::encodeName(targetPath);
    m_temporary = QFile::encodeName(temporaryPathFor(targetPath));
    if (m_target.isEmpty() || m_target.endsWith('/')) {
        return false;
    }

    // Opened first, so that a folder that cannot be flushed fails the save
    // before anything is written.
    m_directoryFd = ::open(directoryOf(m_target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_directoryFd < 0) {
        return false;
    }

    int fd =
        ::open(m_temporary.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    // A second writer of the same target is refused rather than interleaved.
    int rc = 0;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    if (::ftruncate(m_fd, 0) != 0) {
        discard();
        return false;
    }
    // The new file takes the permissions of the one it replaces.
    struct stat old {};
    if (::stat(m_target.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
        (void)::fchmod(m_fd, old.st_mode & 07777);
    }
    return true;
}

bool ReplacingFile::write(std::span<const std::uint8_t> bytes) {
    if (m_fd < 0 || m_committed) {
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

bool ReplacingFile::commit() {
    if (m_fd < 0 || m_committed) {
        return false;
    }
    if (::fsync(m_fd) != 0) {
        discard();
        return false;
    }
    if (::rename(m_temporary.constData(), m_target.constData()) != 0) {
        discard();
        return false;
    }
    m_committed = true;
    const bool flushed = ::fsync(m_directoryFd) == 0;
    closeIfOpen(m_directoryFd);
    return flushed;
}

void ReplacingFile::discard() {
    if (m_fd >= 0 && !m_committed) {
        ::unlink(m_temporary.constData());
    }
    closeIfOpen(m_fd);
}

int ReplacingFile::releaseDescriptor() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

} // namespace kalmur
