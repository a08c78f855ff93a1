#pragma once

#include <QString>

#include <cstdint>
#include <span>

namespace kalmur {

// A member file of fixed-length records, record n (from 1) at (n - 1) x length.
// Reads past the end give zero bytes; writes past the end extend the file (the
// gap reads as zero records). Every call reports I/O failure as false.
class FixedRecordFile {
public:
    FixedRecordFile() = default;
    ~FixedRecordFile();
    FixedRecordFile(const FixedRecordFile&) = delete;
    FixedRecordFile& operator=(const FixedRecordFile&) = delete;
    FixedRecordFile(FixedRecordFile&& other) noexcept;
    FixedRecordFile& operator=(FixedRecordFile&& other) noexcept;

    // Opens (creating when missing) for reading and writing.
    bool open(const QString& path, std::int64_t recordLength);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    const QString& path() const { return m_path; }
    std::int64_t recordLength() const { return m_recordLength; }

    std::int64_t length() const { return m_length; }
    // Whole records in the file (a partial record at the end is not counted).
    std::int64_t recordCount() const;

    bool read(std::int64_t record, std::span<std::uint8_t> out) const;
    bool write(std::int64_t record, std::span<const std::uint8_t> bytes);
    // Reads or writes `count` consecutive records starting at `record`.
    bool readRecords(std::int64_t record, std::int64_t count, std::span<std::uint8_t> out) const;
    bool writeRecords(std::int64_t record, std::span<const std::uint8_t> bytes);
    bool truncate(std::int64_t records);

private:
    bool readAt(std::int64_t offset, std::span<std::uint8_t> out) const;
    bool writeAt(std::int64_t offset, std::span<const std::uint8_t> bytes);

    int m_fd = -1;
    std::int64_t m_recordLength = 1;
    std::int64_t m_length = 0;
    QString m_path;
};

} // namespace kalmur
