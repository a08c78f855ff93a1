#pragma once

#include "model/schedule/Members.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace kalmur {

// The compression component: the three zip operations a schedule archive
// needs. The member list plays the part of the file pattern: only entries
// whose name is one of the members (in any letter case, no folder part) are
// counted, read or written, and a member is always written under its own
// upper-case name.
class ZipComponent {
public:
    enum class Status {
        Ok,
        CannotOpen, // the archive file cannot be read
        Damaged,    // not a zip archive, inconsistent, or member data that does not check out
        Refused,    // a member entry the program will not read: encrypted, duplicated,
                    // larger than its member may be, or compressed with an unknown method
        WriteFailed // a destination file could not be written
    };

    struct TestResult {
        Status status = Status::CannotOpen;
        int memberCount = 0; // members present as readable entries
    };

    // Receives the packed archive piece by piece; returns false to stop.
    using Sink = std::function<bool(std::span<const std::uint8_t>)>;

    // Opens the archive with consistency checks and vets every member entry
    // without decompressing anything.
    static TestResult test(const QString& archivePath, std::span<const MemberInfo> members);

    // Writes every member the archive holds into destination (an existing
    // folder). Each member's bytes are counted while they are read: more than
    // its cap, or a count other than the size the entry declares, is damage.
    // On failure the files written by this call are removed again.
    static Status extract(const QString& archivePath, std::span<const MemberInfo> members,
                          const QString& destination);

    // Packs the named files of sourceDirectory (deflate, level 6) into a zip
    // image in memory and hands it to sink. Every named file must exist.
    static Status compress(const QString& sourceDirectory, std::span<const std::string_view> names,
                           const Sink& sink);
};

} // namespace kalmur
