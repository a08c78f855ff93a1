#include "app/Startup.h"

#include "app/StartupNames.h"
#include "app/UniqueFd.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmur {

namespace {

// A first line longer than the longest path the system accepts cannot name a
// directory; reading stops there so a large or binary file costs nothing.
constexpr qsizetype kMaxLineBytes = 4096;

constexpr std::string_view kWriteTestLine = "Kalmur WRITE TEST\n";

bool isOpenableSchedule(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            return false;
        }
        const UniqueFd fd(::open(native.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY));
        return fd.isValid();
    }
    if (errno != ENOENT) {
        return false;
    }
    // A dangling symbolic link: creating "the file" would create its target
    // wherever the link points.
    if (::lstat(native.constData(), &info) == 0) {
        return false;
    }
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    return ::access(dir.constData(), W_OK | X_OK) == 0;
}

enum class LineResult { Read, Unreadable, TooLong };

// Reads the first line of an already open file (up to "\n" or the end of the file).
LineResult readFirstLine(const UniqueFd& fd, QByteArray& line) {
    QByteArray buffer(kMaxLineBytes + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < buffer.size()) {
        const ssize_t got = ::read(fd.get(), buffer.data() + filled,
                                   static_cast<std::size_t>(buffer.size() - filled));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LineResult::Unreadable;
        }
        if (got == 0) {
            break;
        }
        const bool lineEnded = std::memchr(buffer.constData() + filled, '\n',
                                           static_cast<std::size_t>(got)) != nullptr;
        filled += got;
        if (lineEnded) {
            break;
        }
    }
    buffer.truncate(filled);
    if (buffer.isEmpty()) {
        return LineResult::Unreadable; // at the end of the file
    }
    const qsizetype end = buffer.indexOf('\n');
    line = end < 0 ? buffer : buffer.left(end);
    if (line.size() > kMaxLineBytes) {
        return LineResult::TooLong;
    }
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    return LineResult::Read;
}

} // namespace

QString Startup::commandLineSchedule(const QStringList& arguments) {
    const QString candidate = arguments.join(QLatin1Char(' ')).trimmed();
    if (candidate.isEmpty() || !candidate.toUpper().contains(QLatin1String(".KMR"))) {
        return {};
    }
    return isOpenableSchedule(candidate) ? candidate : QString();
}

std::variant<QString, StartupFailure> Startup::readBaseDirectory(const QString& programDir) {
    const QByteArray path =
        QFile::encodeName(programDir + QLatin1Char('/') + QLatin1String(kWorkingDirectoryFileName));
    // O_NONBLOCK keeps a FIFO in its place from hanging the program.
    const UniqueFd fd(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (!fd.isValid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return StartupFailure::cannotRead(programDir);
    }
    QByteArray line;
    switch (readFirstLine(fd, line)) {
    case LineResult::Unreadable:
        return StartupFailure::cannotRead(programDir);
    case LineResult::TooLong:
        return StartupFailure::invalidPath(programDir);
    case LineResult::Read:
        break;
    }
    // A zero byte would cut the path short when it is handed to the system.
    if (line.contains('\0')) {
        return StartupFailure::invalidPath(programDir);
    }
    const QString base = QFile::decodeName(line).trimmed();
    if (base.isEmpty()) {
        return StartupFailure::invalidPath(programDir);
    }
    return base;
}

std::optional<StartupFailure> Startup::writeTest(const QString& baseDir,
                                                 const QString& programDir) {
    const QByteArray path =
        QFile::encodeName(baseDir + QLatin1Char('/') + QLatin1String(kWriteTestFileName));
    // Never follow a link planted under the test file's name: the write would land
    // in whatever file it points to.
    UniqueFd fd(
        ::open(path.constData(),
               O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK,
               S_IRUSR | S_IWUSR));
    if (!fd.isValid()) {
        return StartupFailure::cannotWrite(baseDir, programDir);
    }
    struct stat info {};
    const bool written =
        ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) && fd.writeAll(kWriteTestLine);
    const bool closed = fd.reset();
    if (!written || !closed) {
        if (S_ISREG(info.st_mode)) {
            ::unlink(path.constData());
        }
        return StartupFailure::cannotWrite(baseDir, programDir);
    }
    // Another copy starting at the same moment may already have removed it.
    ::unlink(path.constData());
    return std::nullopt;
}

std::variant<WorkingDirectoryLock, StartupFailure>
Startup::claimWorkingDirectory(const QString& baseDir) {
    for (int number = 1; number <= kMaxWorkingDirectories; ++number) {
        if (auto lock = WorkingDirectoryLock::tryClaim(baseDir, number)) {
            return std::move(*lock);
        }
    }
    return StartupFailure::noWorkingDirectory(baseDir);
}

std::variant<StartupState, StartupFailure> Startup::run(const QString& programDir,
                                                        const QStringList& arguments) {
    StartupState state;
    state.commandLineSchedule = commandLineSchedule(arguments);

    auto base = readBaseDirectory(programDir);
    if (auto* failure = std::get_if<StartupFailure>(&base)) {
        return std::move(*failure);
    }
    state.baseDirectory = std::get<QString>(std::move(base));

    if (auto failure = writeTest(state.baseDirectory, programDir)) {
        return std::move(*failure);
    }

    auto claim = claimWorkingDirectory(state.baseDirectory);
    if (auto* failure = std::get_if<StartupFailure>(&claim)) {
        return std::move(*failure);
    }
    state.workingDirectory = std::get<WorkingDirectoryLock>(std::move(claim));
    return state;
}

} // namespace kalmur
