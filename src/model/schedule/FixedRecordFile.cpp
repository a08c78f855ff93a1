#include "FixedRecordFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmur {

FixedRecordFile::~FixedRecordFile() {
    close();
}

FixedRecordFile::FixedRecordFile(FixedRecordFile&& other) noexcept
    : m_fd(other.m_fd)
    , m_recordLength(other.m_recordLength)
    , m_length(other.m_length)
    , m_path(std::move(other.m_path)) {
    other.m_fd = -1;
}

FixedRecordFile& FixedRecordFile::operator=(FixedRecordFile&& other) noexcept {
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        m_recordLength = other.m_recordLength;
        m_length = other.m_length;
        m_path = std::move(other.m_path);
        other.m_fd = -1;
    }
    return *this;
}

bool FixedRecordFile::open(const QString& path, std::int64_t recordLength) {
    close();
    m_path = path;
    m_recordLength = std::max<std::int64_t>(recordLength, 1);
    const QByteArray native = path.toLocal8Bit();
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_length = st.st_size;
    return true;
}

void FixedRecordFile::close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_length = 0;
}

std::int64_t FixedRecordFile::recordCount() const {
    return m_length / m_recordLength;
}

bool FixedRecordFile::readAt(std::int64_t offset, std::span<std::uint8_t> out) const {
    std::fill(out.begin(), out.end(), std::uint8_t(0));
    if (m_fd < 0 || offset < 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::pread(m_fd, out.data() + done, out.size() - done,
                                  static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            break; // past the end: the rest stays zero
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool FixedRecordFile::writeAt(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    if (m_fd < 0 || offset < 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(m_fd, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    m_length = std::max(m_length, offset + static_cast<std::int64_t>(bytes.size()));
    return true;
}

bool FixedRecordFile::read(std::int64_t record, std::span<std::uint8_t> out) const {
    if (record < 1) {
        std::fill(out.begin(), out.end(), std::uint8_t(0));
        return false;
    }
    return readAt(
        (record - 1) * m_recordLength,
        out.first(std::min<std::size_t>(out.size(), static_cast<std::size_t>(m_recordLength))));
}

bool FixedRecordFile::write(std::int64_t record, std::span<const std::uint8_t> bytes) {
    if (record < 1) {
        return false;
    }
    return writeAt(
        (record - 1) * m_recordLength,
        bytes.first(std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(m_recordLength))));
}

bool FixedRecordFile::readRecords(std::int64_t record, std::int64_t count,
                                  std::span<std::uint8_t> out) const {
    const auto bytes = static_cast<std::size_t>(count * m_recordLength);
    if (record < 1 || count < 0 || out.size() < bytes) {
        return false;
    }
    return readAt((record - 1) * m_recordLength, out.first(bytes));
}

bool FixedRecordFile::writeRecords(std::int64_t record, std::span<const std::uint8_t> bytes) {
    if (record < 1) {
        return false;
    }
    return writeAt((record - 1) * m_recordLength, bytes);
}

bool FixedRecordFile::truncate(std::int64_t records) {
    if (m_fd < 0 || records < 0) {
        return false;
    }
    const std::int64_t length = records * m_recordLength;
    if (::ftruncate(m_fd, static_cast<off_t>(length)) != 0) {
        return false;
    }
    m_length = length;
    return true;
}

} // namespace kalmur
