#pragma once

#include "files/ScheduleLocation.h"

#include <QFile>

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace kalmur {

// The files of a schedule of the previous format: directory + name + ".SCH",
// ".SPR", ".SSH", ".SEM", ".SNO" and ".SEP" side by side, each taken in the
// letter case it has on disk. They are only ever read. A file that is missing
// (or is not a regular file) reads as empty, and every read past the end of a
// file gives zero bytes, so a short file reads as its layout padded with zeros.
class OldScheduleGroup {
public:
    enum class File { Days, Settings, Shifts, Employees, Notes, Explanations };
    static constexpr int kFiles = 6;

    // `schedule` names the ".SCH" file (its extension in any letter case).
    explicit OldScheduleGroup(const ScheduleLocation& schedule);
    // The group of the ".SCH" file at `path`.
    static OldScheduleGroup fromPath(const QString& path);

    const ScheduleLocation& location(File file) const;
    QString path(File file) const { return location(file).archivePath(); }
    const QString& directory() const { return location(File::Days).directory(); }
    const QString& name() const { return location(File::Days).name(); }

    // The length of a file; 0 when it is missing, -1 when it is there but is
    // not a regular file.
    std::int64_t size(File file) const;

    // Opens every file that is there for reading. False when one that exists
    // cannot be opened.
    bool open();
    void close();
    // Fills `out` with the bytes at `offset`; what lies past the end reads as
    // zero. False only on a read error.
    bool read(File file, std::int64_t offset, std::span<std::uint8_t> out) const;

private:
    static std::size_t index(File file) { return static_cast<std::size_t>(file); }

    std::array<ScheduleLocation, kFiles> m_locations;
    std::array<std::unique_ptr<QFile>, kFiles> m_files;
};

} // namespace kalmur
