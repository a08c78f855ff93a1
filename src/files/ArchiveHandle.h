#pragma once

#include <QString>

#include <cstdint>

namespace kalmur {

// One open archive file descriptor. The archive of the open schedule is held
// through one of these, with an exclusive advisory lock, so that a second
// running copy of the program cannot open or overwrite it meanwhile. Move-only;
// closing releases the lock.
class ArchiveHandle {
public:
    enum class Status {
        Ok,
        Missing, // the file does not exist and was not to be created
        Failed,  // the file cannot be opened, or is not a regular file
        InUse,   // another open file description holds the lock
    };

    ArchiveHandle() = default;
    ~ArchiveHandle();
    ArchiveHandle(ArchiveHandle&& other) noexcept;
    ArchiveHandle& operator=(ArchiveHandle&& other) noexcept;
    ArchiveHandle(const ArchiveHandle&) = delete;
    ArchiveHandle& operator=(const ArchiveHandle&) = delete;

    // Opens path for reading and writing (read-only when writing is not
    // permitted), creating an empty file when create is set and none exists.
    Status open(const QString& path, bool create);
    // Takes ownership of an open descriptor.
    Status adopt(int fd);
    // Takes the exclusive lock without waiting. Storage that cannot lock at
    // all is accepted unlocked rather than made unusable.
    Status lock();
    void close();

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    std::int64_t size() const;
    // Whether both handles refer to the same file.
    bool sameFile(const ArchiveHandle& other) const;
    // Whether path still names the file this handle has open (it may have been
    // replaced between opening and locking).
    bool isAt(const QString& path) const;

private:
    int m_fd = -1;
    std::uint64_t m_device = 0;
    std::uint64_t m_inode = 0;
};

} // namespace kalmur
