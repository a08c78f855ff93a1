#include "OldScheduleConversion.h"

#include "OldScheduleRules.h"
#include "files/ArchiveHandle.h"
#include "files/ReplacingFile.h"
#include "files/ScheduleArchive.h"
#include "files/ZipComponent.h"
#include "model/codec/OleDate.h"
#include "model/records/NoteRecord.h"
#include "model/records/QueryRecord.h"
#include "model/schedule/FixedRecordFile.h"
#include "model/schedule/Members.h"
#include "model/schedule/NoteFile.h"
#include "model/schedule/Presets.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace kalmur {

namespace {

using File = OldScheduleGroup::File;

// The folder inside the working directory in which the new set is built.
// Whatever an earlier run left there is removed first; the folder is removed
// again when the conversion ends, however it ends.
class BuildFolder {
public:
    explicit BuildFolder(const QString& workingDirectory)
        : m_path(workingDirectory + QStringLiteral("/.kalmur-convert")) {}
    ~BuildFolder() { remove(); }
    BuildFolder(const BuildFolder&) = delete;
    BuildFolder& operator=(const BuildFolder&) = delete;

    bool create() {
        removeTree();
        if (::mkdir(QFile::encodeName(m_path).constData(), 0700) != 0) {
            return false;
        }
        m_created = true;
        return true;
    }
    void remove() {
        if (m_created) {
            removeTree();
            m_created = false;
        }
    }
    const QString& path() const { return m_path; }

private:
    void removeTree() {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(QFile::encodeName(m_path).toStdString()),
                                    ignored);
    }

    QString m_path;
    bool m_created = false;
};

bool isBlank(const QString& text) {
    return text.trimmed().isEmpty();
}

int percentOf(std::int64_t part, std::int64_t whole) {
    return whole <= 0 ? 100 : static_cast<int>(part * 100 / whole);
}

} // namespace

// One run of the conversion: the steps in order, each on the new set in the
// build folder; the archive is written only by the last one.
class OldScheduleConversion::Run {
public:
    Run(OldScheduleConversion& owner, const Progress& progress, QDate today, const QLocale& locale)
        : m_owner(owner)
        , m_group(owner.m_group)
        , m_progress(progress)
        , m_today(today)
        , m_locale(locale)
        , m_folder(owner.m_workingDirectory) {}
    ~Run() { m_group.close(); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    bool execute() {
        return clearWorkingFiles() && reserveArchive() && convertProps() && convertNames() &&
               convertShifts() && convertExplanations() && convertMain() && pack();
    }

private:
    void report(const char* step, int percent) {
        const QString name = QLatin1String(step);
        if (m_progress && (name != m_step || percent != m_percent)) {
            m_step = name;
            m_percent = percent;
            m_progress(name, percent);
        }
    }

    bool openMember(FixedRecordFile& file, Member member) const {
        return file.open(memberPath(m_folder.path(), member), memberInfo(member).recordLength);
    }

    template <typename Image>
    bool readOld(File file, std::int64_t offset, Image& image) const {
        return m_group.read(file, offset, std::span<std::uint8_t>(image.data(), image.size()));
    }

    // Step 1: an empty set to build into, and the old files open for reading.
    bool clearWorkingFiles() {
        report(kClearing, 0);
        if (!m_folder.create() || !m_group.open()) {
            return false;
        }
        report(kClearing, 100);
        return true;
    }

    // Step 2: the archive is held (an existing one locked against another copy
    // of the program) and its replacement begun beside it.
    bool reserveArchive() {
        report(kReserving, 0);
        const ScheduleLocation& target = m_owner.m_archive;
        if (!target.isFloppy()) {
            const auto status = m_existing.open(target.archivePath(), false);
            if (status == ArchiveHandle::Status::Failed ||
                (status == ArchiveHandle::Status::Ok &&
                 m_existing.lock() == ArchiveHandle::Status::InUse)) {
                return false;
            }
        }
        if (!m_archive.begin(target.archivePath())) {
            return false;
        }
        report(kReserving, 100);
        return true;
    }

    // Step 3: the settings record, the view formats and the queries.
    bool convertProps() {
        report(kProps, 0);
        if (m_group.size(File::Settings) !=
            static_cast<std::int64_t>(OldSettingsRecord::fileSize)) {
            return false;
        }
        std::array<std::uint8_t, OldSettingsRecord::fileSize> image{};
        if (!readOld(File::Settings, 0, image)) {
            return false;
        }
        const OldSettingsRecord old = OldSettingsRecord::fromBytes(image);
        const std::int64_t oldDays =
            std::max<std::int64_t>(0, m_group.size(File::Days)) / OldDayRecord::fileSize;
        m_settings = OldScheduleRules::settings(old, oldDays, m_today);

        FixedRecordFile formats;
        if (!openMember(formats, Member::ViewFormats)) {
            return false;
        }
        const auto presets = OldScheduleRules::viewFormats(old, m_locale);
        for (std::size_t n = 0; n < presets.size(); ++n) {
            if (!formats.write(static_cast<std::int64_t>(n + 1), presets[n].toBytes())) {
                return false;
            }
        }
        report(kProps, 50);

        FixedRecordFile queries;
        if (!openMember(queries, Member::Queries)) {
            return false;
        }
        const auto free = Presets::query().toBytes();
        for (int n = 1; n <= QueryRecord::kCount; ++n) {
            if (!queries.write(n, free)) {
                return false;
            }
        }
        FixedRecordFile settings;
        if (!openMember(settings, Member::Settings) || !settings.write(1, m_settings.toBytes())) {
            return false;
        }
        report(kProps, 100);
        return true;
    }

    // Step 4: the employee table, and which slots lose their cells.
    bool convertNames() {
        report(kNames, 0);
        std::array<std::uint8_t, OldEmployeeTable::fileSize> image{};
        if (!readOld(File::Employees, 0, image)) {
            return false;
        }
        const auto converted =
            OldScheduleRules::employees(OldEmployeeTable::fromBytes(image), m_settings);
        m_dropped = converted.dropped;
        for (int slot = 1; slot <= EmployeeTable::kRows; ++slot) {
            report(kNames, percentOf(slot, EmployeeTable::kRows));
        }
        FixedRecordFile file;
        return openMember(file, Member::Employees) && file.write(1, converted.table.toBytes());
    }

    // Step 5: shifts 1..35 from the old file, the rest free, then the three
    // reserved shifts.
    bool convertShifts() {
        report(kShifts, 0);
        FixedRecordFile file;
        if (!openMember(file, Member::Shifts)) {
            return false;
        }
        for (int s = 1; s <= ShiftRecord::kUserShifts; ++s) {
            ShiftRecord shift = Presets::shift(s);
            if (s <= OldShiftRecord::kCount) {
                std::array<std::uint8_t, OldShiftRecord::fileSize> image{};
                if (!readOld(File::Shifts, std::int64_t(s - 1) * OldShiftRecord::fileSize, image)) {
                    return false;
                }
                shift = OldScheduleRules::shift(s, OldShiftRecord::fromBytes(image));
            }
            if (!file.write(s, shift.toBytes())) {
                return false;
            }
            report(kShifts, percentOf(s, ShiftRecord::kCount));
        }
        for (int s = ShiftRecord::kOff; s <= ShiftRecord::kNoteMark; ++s) {
            if (!file.write(s, Presets::shift(s).toBytes())) {
                return false;
            }
        }
        report(kShifts, 100);
        return true;
    }

    // Step 6: the explanation table.
    bool convertExplanations() {
        report(kExplanations, 0);
        std::array<std::uint8_t, OldExplanationTable::fileSize> image{};
        if (!readOld(File::Explanations, 0, image)) {
            return false;
        }
        const ExplanationTable table =
            OldScheduleRules::explanations(OldExplanationTable::fromBytes(image));
        for (int e = 1; e <= ExplanationTable::kCount; ++e) {
            report(kExplanations, percentOf(e, ExplanationTable::kCount));
        }
        FixedRecordFile file;
        return openMember(file, Member::Explanations) && file.write(1, table.toBytes());
    }

    // The new number of an old cell's note: 0 when the old number names no
    // note of the old file, the note is blank or no note number is left.
    // False on a read or write error.
    bool carryNote(std::int16_t oldNumber, FixedRecordFile& notes, std::int16_t& number) {
        number = 0;
        if (oldNumber <= 0 || oldNumber > m_oldNotes) {
            return true;
        }
        std::array<std::uint8_t, NoteRecord::fileSize> image{};
        if (!readOld(File::Notes, std::int64_t(oldNumber - 1) * NoteRecord::fileSize, image)) {
            return false;
        }
        const QString text = NoteRecord::fromBytes(image).text;
        if (isBlank(text) || NoteFile::count(notes) >= NoteFile::kMaxNumber) {
            return true;
        }
        number = NoteFile::append(notes, text);
        return number != 0;
    }

    // Step 7: every day of the new range from the old day of the same number,
    // with the notes renumbered from 1 in day and slot order.
    bool convertMain() {
        report(kMain, 0);
        m_oldNotes = std::max<std::int64_t>(0, m_group.size(File::Notes)) / NoteRecord::fileSize;
        FixedRecordFile days;
        FixedRecordFile notes;
        if (!openMember(days, Member::Days) || !openMember(notes, Member::Notes)) {
            return false;
        }
        const auto start = OleDate::dayNumber(m_settings.startDate);
        const auto end = OleDate::dayNumber(m_settings.endDate);
        const std::int64_t count = start && end ? std::int64_t(*end) - *start + 1 : 0;
        for (std::int64_t k = 1; k <= count; ++k) {
            std::array<std::uint8_t, OldDayRecord::fileSize> image{};
            if (!readOld(File::Days, (k - 1) * std::int64_t(OldDayRecord::fileSize), image)) {
                return false;
            }
            const OldDayRecord old = OldDayRecord::fromBytes(image);
            DayRecord day = OldScheduleRules::cells(old, m_dropped);
            for (std::size_t e = 0; e < static_cast<std::size_t>(OldDayRecord::kSlots); ++e) {
                if (!m_dropped[e] && !carryNote(old.note[e], notes, day.note[e])) {
                    return false;
                }
            }
            if (!days.write(k, day.toBytes())) {
                return false;
            }
            report(kMain, percentOf(k, count));
        }
        report(kMain, 100);
        return true;
    }

    // Packs the new set into the archive begun in step 2 and puts it in place.
    bool pack() {
        m_group.close();
        std::vector<std::string_view> names;
        for (const MemberInfo& member : kMembers) {
            names.push_back(member.fileName);
        }
        const ZipComponent::Status packed = ZipComponent::compress(
            m_folder.path(), names,
            [this](std::span<const std::uint8_t> bytes) { return m_archive.write(bytes); });
        if (packed != ZipComponent::Status::Ok) {
            return false;
        }
        // A commit whose rename succeeded but whose folder flush failed is a
        // failure, as it is for a save: the new archive may not be on disk.
        return m_archive.commit() && m_archive.committed();
    }

    OldScheduleConversion& m_owner;
    OldScheduleGroup& m_group;
    const Progress& m_progress;
    QDate m_today;
    QLocale m_locale;
    BuildFolder m_folder;
    ArchiveHandle m_existing;
    ReplacingFile m_archive;
    ScheduleSettings m_settings;
    OldScheduleRules::DroppedSlots m_dropped{};
    std::int64_t m_oldNotes = 0; // whole records in the old note file
    QString m_step;
    int m_percent = -1;
};

OldScheduleConversion::OldScheduleConversion(QString workingDirectory,
                                             const QString& oldSchedulePath)
    : m_workingDirectory(std::move(workingDirectory))
    , m_group(OldScheduleGroup::fromPath(oldSchedulePath))
    , m_archive(ScheduleLocation(m_group.directory(), m_group.name()).withCaseFromListing()) {
}

OldScheduleConversion::Verdict OldScheduleConversion::check(bool overwrite) const {
    const QString path = m_archive.archivePath();
    const QFileInfo info(path);
    if ((info.exists() || info.isSymLink()) && !info.isFile()) {
        return Verdict::CannotCreate;
    }
    std::int64_t size = 0;
    {
        ArchiveHandle existing;
        switch (existing.open(path, false)) {
        case ArchiveHandle::Status::Ok:
            if (!m_archive.isFloppy() && existing.lock() == ArchiveHandle::Status::InUse) {
                return Verdict::InUse;
            }
            size = existing.size();
            break;
        case ArchiveHandle::Status::Missing:
            break;
        default:
            return Verdict::CannotCreate;
        }
    }
    {
        // The new archive is written beside the old one; a probe that is
        // removed at once tells whether that can be done.
        ReplacingFile probe;
        if (!probe.begin(path)) {
            return Verdict::CannotCreate;
        }
    }
    if (size > ScheduleArchive::kMinimumArchiveBytes && !overwrite) {
        return Verdict::AlreadyExists;
    }
    if (m_group.size(File::Settings) != static_cast<std::int64_t>(OldSettingsRecord::fileSize)) {
        return Verdict::NotOldSchedule;
    }
    return Verdict::Ready;
}

QString OldScheduleConversion::message(Verdict verdict) const {
    const QString archive = m_archive.archivePath();
    switch (verdict) {
    case Verdict::Ready:
        return {};
    case Verdict::CannotCreate:
        return QStringLiteral("Cannot create ") + archive;
    case Verdict::InUse:
        return archive +
               QStringLiteral(" is open in another copy of Kalmur Pro.  Close it there first.");
    case Verdict::AlreadyExists:
        return archive + QStringLiteral(" already exists. Do you wish to overwrite this file?");
    case Verdict::NotOldSchedule:
        return m_group.path(File::Days) + QStringLiteral(" is not a valid Kalmur 1.0x file.");
    }
    return {};
}

QString OldScheduleConversion::title(Verdict verdict) {
    switch (verdict) {
    case Verdict::Ready:
        return {};
    case Verdict::AlreadyExists:
        return QStringLiteral("Overwrite?");
    default:
        return QStringLiteral("Error");
    }
}

bool OldScheduleConversion::run(const Progress& progress, QDate today, const QLocale& locale) {
    Run conversion(*this, progress, today, locale);
    return conversion.execute();
}

} // namespace kalmur
