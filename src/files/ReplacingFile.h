#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>

namespace kalmur {

// Writes a complete new version of a file beside the old one and puts it in
// place atomically: the bytes go into a temporary file in the same directory,
// which is flushed to disk, renamed over the target and followed by a flush
// of the directory. Until commit() succeeds the target is untouched; a writer
// that is destroyed or discarded before that removes its temporary file.
//
// The temporary name is derived from the target's name (see temporaryPathFor),
// so a file left behind by a process that was killed while saving is reused
// and replaced by the next save of the same target.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    static QString temporaryPathFor(const QString& targetPath);

    // Creates (or takes over) the temporary file, locks it against a second
    // writer and empties it. Fails without touching anything else.
    bool begin(const QString& targetPath);
    bool write(std::span<const std::uint8_t> bytes);
    // Flushes, renames over the target and flushes the directory. After a
    // failed rename the temporary file is removed and the target is as it
    // was. When only the final directory flush fails the new file is already
    // in place; committed() tells the two apart.
    bool commit();
    void discard();

    bool committed() const { return m_committed; }
    // The descriptor of the written file (read-write, still locked), handed
    // to the caller; -1 when there is none. After commit() it is the target.
    int releaseDescriptor();

private:
    QByteArray m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_directoryFd = -1;
    bool m_committed = false;
};

} // namespace kalmur
