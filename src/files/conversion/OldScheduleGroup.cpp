#include "OldScheduleGroup.h"

#include <QFileInfo>

#include <algorithm>

namespace kalmur {

namespace {
constexpr std::array<const char16_t*, OldScheduleGroup::kFiles> kExtensions = {
    u".SCH", u".SPR", u".SSH", u".SEM", u".SNO", u".SEP"};
} // namespace

OldScheduleGroup::OldScheduleGroup(const ScheduleLocation& schedule) {
    for (std::size_t i = 0; i < kExtensions.size(); ++i) {
        const ScheduleLocation wanted(schedule.directory(), schedule.name(),
                                      QString::fromUtf16(kExtensions[i]));
        m_locations[i] = wanted.withCaseFromListing();
    }
}

OldScheduleGroup OldScheduleGroup::fromPath(const QString& path) {
    return OldScheduleGroup(ScheduleLocation::fromPath(path, u".SCH"));
}

const ScheduleLocation& OldScheduleGroup::location(File file) const {
    return m_locations[index(file)];
}

std::int64_t OldScheduleGroup::size(File file) const {
    const QFileInfo info(path(file));
    if (!info.exists()) {
        return 0;
    }
    return info.isFile() ? info.size() : -1;
}

bool OldScheduleGroup::open() {
    close();
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        const QFileInfo info(m_locations[i].archivePath());
        if (!info.isFile()) {
            continue; // missing, or a folder or device under the name: read as missing
        }
        auto file = std::make_unique<QFile>(info.filePath());
        if (!file->open(QIODevice::ReadOnly)) {
            close();
            return false;
        }
        m_files[i] = std::move(file);
    }
    return true;
}

void OldScheduleGroup::close() {
    for (auto& file : m_files) {
        file.reset();
    }
}

bool OldScheduleGroup::read(File file, std::int64_t offset, std::span<std::uint8_t> out) const {
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    QFile* f = m_files[index(file)].get();
    if (!f || offset < 0 || offset >= f->size()) {
        return true;
    }
    if (!f->seek(offset)) {
        return false;
    }
    const qint64 n = f->read(reinterpret_cast<char*>(out.data()), static_cast<qint64>(out.size()));
    return n >= 0;
}

} // namespace kalmur
