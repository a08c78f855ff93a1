#include "files/ArchiveHandle.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmur {

ArchiveHandle::~ArchiveHandle() {
    close();
}

ArchiveHandle::ArchiveHandle(ArchiveHandle&& other) noexcept
    : m_fd(other.m_fd)
    , m_device(other.m_device)
    , m_inode(other.m_inode) {
    other.m_fd = -1;
}

ArchiveHandle& ArchiveHandle::operator=(ArchiveHandle&& other) noexcept {
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        m_device = other.m_device;
        m_inode = other.m_inode;
        other.m_fd = -1;
    }
    return *this;
}

ArchiveHandle::Status ArchiveHandle::open(const QString& path, bool create) {
    close();
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty()) {
        return Status::Failed;
    }
    // O_NONBLOCK keeps a FIFO planted under the archive's name from blocking
    // the open; it has no effect on a regular file.
    const int common = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int fd = ::open(name.constData(), O_RDWR | common | (create ? O_CREAT : 0), 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == ETXTBSY)) {
        fd = ::open(name.constData(), O_RDONLY | common);
    }
    if (fd < 0) {
        return errno == ENOENT && !create ? Status::Missing : Status::Failed;
    }
    return adopt(fd);
}

ArchiveHandle::Status ArchiveHandle::adopt(int fd) {
    close();
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0) {
            ::close(fd);
        }
        return Status::Failed;
    }
    m_fd = fd;
    m_device = static_cast<std::uint64_t>(st.st_dev);
    m_inode = static_cast<std::uint64_t>(st.st_ino);
    return Status::Ok;
}

ArchiveHandle::Status ArchiveHandle::lock() {
    if (m_fd < 0) {
        return Status::Failed;
    }
    int rc = 0;
    do {
        rc = ::flock(m_fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        return Status::Ok;
    }
    return errno == EWOULDBLOCK ? Status::InUse : Status::Ok;
}

void ArchiveHandle::close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_device = 0;
    m_inode = 0;
}

std::int64_t ArchiveHandle::size() const {
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(st.st_size);
}

bool ArchiveHandle::sameFile(const ArchiveHandle& other) const {
    return m_fd >= 0 && other.m_fd >= 0 && m_device == other.m_device && m_inode == other.m_inode;
}

bool ArchiveHandle::isAt(const QString& path) const {
    struct stat st {};
    if (m_fd < 0 || ::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return false;
    }
    return static_cast<std::uint64_t>(st.st_dev) == m_device &&
           static_cast<std::uint64_t>(st.st_ino) == m_inode;
}

} // namespace kalmur
