#include "Schedule.h"

#include "DateRangeRebuild.h"
#include "MemberDefaults.h"
#include "Members.h"
#include "NoteFile.h"
#include "Sanitize.h"
#include "model/codec/OleDate.h"
#include "model/records/NoteRecord.h"

#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace kalmur {

namespace {

// Record `number` of a member file, decoded; nothing on a read failure.
template <typename Record>
std::optional<Record> readRecord(const FixedRecordFile& file, std::int64_t number) {
    std::array<std::uint8_t, Record::fileSize> image{};
    if (!file.read(number, image)) {
        return std::nullopt;
    }
    return Record::fromBytes(image);
}

const ShiftRecord& undefinedShift() {
    static const ShiftRecord shift = ShiftRecord::undefined();
    return shift;
}

} // namespace

Schedule::Schedule(QString workingDirectory, QLocale locale)
    : m_dir(std::move(workingDirectory))
    , m_locale(std::move(locale)) {
}

Schedule::~Schedule() {
    closeHandles();
}

bool Schedule::fail(const QString& what) {
    m_error = what;
    return false;
}

// --- settings record -------------------------------------------------------

Schedule::LoadedSettings Schedule::loadSettings(QDate today) {
    LoadedSettings result;
    FixedRecordFile file;
    if (!file.open(memberPath(m_dir, Member::Settings), ScheduleSettings::fileSize)) {
        fail(QStringLiteral("cannot open the settings file"));
        return result;
    }
    if (file.length() != 0) {
        std::array<std::uint8_t, ScheduleSettings::fileSize> image{};
        result.ok = file.read(1, image);
        m_settings = ScheduleSettings::fromBytes(image);
    } else {
        m_settings = ScheduleSettings::defaults(today);
        result.createdDefaults = true;
        result.ok = file.write(1, m_settings.toBytes());
    }
    if (!result.ok) {
        fail(QStringLiteral("cannot read the settings file"));
    }
    return result;
}

bool Schedule::saveSettings() {
    m_settings.viewFormatNumber = static_cast<std::int16_t>(m_viewFormatNumber);
    FixedRecordFile file;
    if (!file.open(memberPath(m_dir, Member::Settings), ScheduleSettings::fileSize) ||
        !file.write(1, m_settings.toBytes())) {
        return fail(QStringLiteral("cannot write the settings file"));
    }
    return true;
}

// --- working set -----------------------------------------------------------

bool Schedule::openMember(FixedRecordFile& file, Member member) {
    const MemberInfo& info = memberInfo(member);
    if (!file.open(memberPath(m_dir, info.fileName), info.recordLength)) {
        return fail(QStringLiteral("cannot open ") + QLatin1String(info.fileName.data()));
    }
    return true;
}

void Schedule::closeHandles() {
    m_days.close();
    m_shiftFile.close();
    m_employeeFile.close();
    m_viewFormatFile.close();
    m_notes.close();
    m_explanationFile.close();
    m_queryFile.close();
}

bool Schedule::openAll() {
    closeHandles();
    m_window.unload();
    m_open = false;

    // Values from the settings file are repaired before anything uses them.
    const QFileInfo dayFile(memberPath(m_dir, Member::Days));
    const std::int64_t dayRecords = dayFile.exists() ? dayFile.size() / DayRecord::fileSize : 0;
    bool repaired = Sanitize::dateRange(m_settings, dayRecords, QDate::currentDate());
    repaired = Sanitize::rowOrder(m_settings.rowOrder) || repaired;
    repaired = Sanitize::weekAndFormat(m_settings) || repaired;
    m_viewFormatNumber = m_settings.viewFormatNumber;

    const MemberDefaultsResult defaults = createMissingMembers(m_dir, dayCount(), m_locale);
    if (!defaults.ok) {
        return fail(QStringLiteral("cannot create the schedule's files"));
    }
    m_modified = m_modified || defaults.modified || repaired;

    if (!openMember(m_days, Member::Days) || !openMember(m_shiftFile, Member::Shifts) ||
        !openMember(m_employeeFile, Member::Employees) ||
        !openMember(m_viewFormatFile, Member::ViewFormats) || !openMember(m_notes, Member::Notes) ||
        !openMember(m_explanationFile, Member::Explanations) ||
        !openMember(m_queryFile, Member::Queries)) {
        closeHandles();
        return false;
    }
    if (!readTables() || !loadCurrentViewFormat() || !loadWindow()) {
        closeHandles();
        m_window.unload();
        return false;
    }
    m_open = true;
    return true;
}

bool Schedule::readTables() {
    if (!reloadShifts() || !reloadExplanations()) {
        return false;
    }
    const auto employees = readRecord<EmployeeTable>(m_employeeFile, 1);
    if (!employees) {
        return fail(QStringLiteral("cannot read the employee table"));
    }
    m_employees = *employees;
    return true;
}

bool Schedule::reloadShifts() {
    // The whole table in one read: records past the end of the file read as zeros.
    std::array<std::uint8_t, ShiftRecord::fileSize * ShiftRecord::kCount> table{};
    if (!m_shiftFile.readRecords(1, ShiftRecord::kCount, table)) {
        return fail(QStringLiteral("cannot read the shift table"));
    }
    for (std::size_t i = 0; i < m_shifts.size(); ++i) {
        m_shifts[i] = ShiftRecord::fromBytes(
            std::span(table).subspan(i * ShiftRecord::fileSize, ShiftRecord::fileSize));
    }
    return true;
}

bool Schedule::reloadExplanations() {
    const auto explanations = readRecord<ExplanationTable>(m_explanationFile, 1);
    if (!explanations) {
        return fail(QStringLiteral("cannot read the explanation table"));
    }
    m_explanations = *explanations;
    return true;
}

bool Schedule::loadCurrentViewFormat() {
    auto format = readViewFormat(m_viewFormatNumber);
    if (!format) {
        return fail(QStringLiteral("cannot read the view format"));
    }
    Sanitize::viewFormat(*format);
    m_viewFormat = *format;
    m_window.setRequestedLength(m_viewFormat.daysOnScreen);
    return true;
}

bool Schedule::closeAll() {
    const bool flushed = !m_open || flush();
    closeHandles();
    m_window.unload();
    m_open = false;
    // A failed flush leaves changes unwritten: the schedule stays modified.
    m_modified = !flushed;
    return flushed;
}

bool Schedule::flush() {
    bool ok = m_employeeFile.write(1, m_employees.toBytes());
    ok = m_window.flush(m_days) && ok;
    m_settings.firstShownDay = static_cast<std::int16_t>(m_window.first());
    ok = saveSettings() && ok;
    return ok || fail(QStringLiteral("cannot write the schedule's files"));
}

// --- dates -----------------------------------------------------------------

QDate Schedule::startDate() const {
    return OleDate::toDate(m_settings.startDate).value_or(QDate());
}

QDate Schedule::endDate() const {
    return OleDate::toDate(m_settings.endDate).value_or(QDate());
}

int Schedule::dayCount() const {
    const auto start = OleDate::dayNumber(m_settings.startDate);
    const auto end = OleDate::dayNumber(m_settings.endDate);
    if (!start || !end) {
        return 0;
    }
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t(*end) - *start + 1, 0, kMaxDays));
}

QDate Schedule::dateOfDay(int dayNumber) const {
    return startDate().addDays(dayNumber - 1);
}

int Schedule::dayOfDate(QDate date) const {
    return static_cast<int>(startDate().daysTo(date) + 1);
}

// --- tables ----------------------------------------------------------------

const ShiftRecord& Schedule::shift(int number) const {
    if (number < 1 || number > ShiftRecord::kCount) {
        return undefinedShift();
    }
    return m_shifts[static_cast<std::size_t>(number - 1)];
}

int Schedule::shiftColour(int number) const {
    const int colour = shift(number).colour;
    return colour >= 0 && colour <= 15 ? colour : 0;
}

bool Schedule::writeShifts() {
    for (int n = 1; n <= ShiftRecord::kCount; ++n) {
        if (!m_shiftFile.write(n, m_shifts[static_cast<std::size_t>(n - 1)].toBytes())) {
            return fail(QStringLiteral("cannot write the shift table"));
        }
    }
    return true;
}

bool Schedule::writeExplanations() {
    return m_explanationFile.write(1, m_explanations.toBytes()) ||
           fail(QStringLiteral("cannot write the explanation table"));
}

bool Schedule::writeEmployees() {
    return m_employeeFile.write(1, m_employees.toBytes()) ||
           fail(QStringLiteral("cannot write the employee table"));
}

int Schedule::slotOfRow(int row) const {
    if (row < 1 || row > ScheduleSettings::kRows) {
        return 0;
    }
    const int slot = m_settings.rowOrder[static_cast<std::size_t>(row - 1)];
    return slot >= 1 && slot <= DayRecord::kSlots ? slot : 0;
}

bool Schedule::isEmptyRow(int row) const {
    const int slot = slotOfRow(row);
    if (slot == 0 || !m_employees.hasBlankName(row)) {
        return false;
    }
    for (int k = 1; k <= m_window.length(); ++k) {
        const DayRecord* day = m_window.day(k);
        if (day && !day->isEmpty(slot)) {
            return false;
        }
    }
    return true;
}

// --- view formats ----------------------------------------------------------

std::array<QString, ViewFormat::kCount> Schedule::viewFormatNames() const {
    std::array<QString, ViewFormat::kCount> names;
    for (int n = 1; n <= ViewFormat::kCount; ++n) {
        if (const auto format = readViewFormat(n)) {
            names[static_cast<std::size_t>(n - 1)] = format->name.trimmed();
        }
    }
    return names;
}

std::optional<ViewFormat> Schedule::readViewFormat(int number) const {
    if (number < 1 || number > ViewFormat::kCount) {
        return std::nullopt;
    }
    return readRecord<ViewFormat>(m_viewFormatFile, number);
}

bool Schedule::writeViewFormat(int number, const ViewFormat& format) {
    if (number < 1 || number > ViewFormat::kCount ||
        !m_viewFormatFile.write(number, format.toBytes())) {
        return fail(QStringLiteral("cannot write the view format"));
    }
    return true;
}

bool Schedule::writeCurrentViewFormat() {
    return writeViewFormat(m_viewFormatNumber, m_viewFormat);
}

bool Schedule::selectViewFormat(int number) {
    if (number < 1 || number > ViewFormat::kCount) {
        return false;
    }
    if (!m_window.flush(m_days)) {
        return fail(QStringLiteral("cannot write the day file"));
    }
    m_viewFormatNumber = number;
    m_settings.viewFormatNumber = static_cast<std::int16_t>(number);
    m_modified = true;
    return loadCurrentViewFormat() && loadWindow(m_window.first());
}

bool Schedule::applyViewFormat() {
    Sanitize::viewFormat(m_viewFormat);
    m_window.setRequestedLength(m_viewFormat.daysOnScreen);
    return loadWindow(m_window.isLoaded() ? m_window.first() : m_settings.firstShownDay);
}

// --- queries ---------------------------------------------------------------

std::optional<QueryRecord> Schedule::readQuery(int number) const {
    if (number < 1 || number > QueryRecord::kCount) {
        return std::nullopt;
    }
    return readRecord<QueryRecord>(m_queryFile, number);
}

bool Schedule::writeQuery(int number, const QueryRecord& query) {
    if (number < 1 || number > QueryRecord::kCount || !m_queryFile.write(number, query.toBytes())) {
        return fail(QStringLiteral("cannot write the query"));
    }
    return true;
}

// --- day window and cells --------------------------------------------------

bool Schedule::loadWindow(int first) {
    if (m_window.isLoaded() && !m_window.flush(m_days)) {
        return fail(QStringLiteral("cannot write the day file"));
    }
    const bool ok = m_window.load(m_days, first, dayCount());
    m_settings.firstShownDay = static_cast<std::int16_t>(m_window.first());
    return ok || fail(QStringLiteral("cannot read the day file"));
}

DayWindow::Move Schedule::moveLater() {
    m_modified = true;
    const auto move = m_window.moveLater(m_days, dayCount());
    m_settings.firstShownDay = static_cast<std::int16_t>(m_window.first());
    return move;
}

DayWindow::Move Schedule::moveEarlier() {
    m_modified = true;
    const auto move = m_window.moveEarlier(m_days);
    m_settings.firstShownDay = static_cast<std::int16_t>(m_window.first());
    return move;
}

DayRecord* Schedule::dayAt(int position) {
    return m_window.day(position);
}

void Schedule::touch(int position) {
    m_window.markDirty(position);
    m_modified = true;
}

Cell Schedule::cell(int slot, int position) const {
    const DayRecord* day = m_window.day(position);
    return day ? day->cell(slot) : Cell{};
}

void Schedule::setCell(int slot, int position, const Cell& cell) {
    DayRecord* day = dayAt(position);
    if (day && day->setCell(slot, cell)) {
        touch(position);
    }
}

void Schedule::setShift(int slot, int position, std::uint8_t shift) {
    Cell c = cell(slot, position);
    c.shift = shift;
    setCell(slot, position, c);
}

void Schedule::setOnCall(int slot, int position, std::uint8_t onCall) {
    Cell c = cell(slot, position);
    c.onCall = onCall;
    setCell(slot, position, c);
}

void Schedule::setExplanation(int slot, int position, std::uint8_t explanation) {
    Cell c = cell(slot, position);
    c.explanation = explanation;
    setCell(slot, position, c);
}

void Schedule::setNoteNumber(int slot, int position, std::int16_t note) {
    Cell c = cell(slot, position);
    c.note = note;
    setCell(slot, position, c);
}

int Schedule::positionOfDay(int dayNumber) const {
    const int position = dayNumber - m_window.first();
    return m_window.isLoaded() && position >= 1 && position <= m_window.length() ? position : 0;
}

Cell Schedule::cellOfDay(int slot, int dayNumber) const {
    if (const int position = positionOfDay(dayNumber)) {
        return cell(slot, position);
    }
    const auto day = readDay(dayNumber);
    return day ? day->cell(slot) : Cell{};
}

bool Schedule::setCellOfDay(int slot, int dayNumber, const Cell& c) {
    if (const int position = positionOfDay(dayNumber)) {
        setCell(slot, position, c);
        return true;
    }
    auto day = readDay(dayNumber);
    return day && day->setCell(slot, c) && writeDay(dayNumber, *day);
}

bool Schedule::writeNoteOfDay(int slot, int dayNumber, const QString& text) {
    if (const int position = positionOfDay(dayNumber)) {
        return writeNote(slot, position, text);
    }
    Cell c = cellOfDay(slot, dayNumber);
    if (!NoteFile::write(m_notes, c.note, text)) {
        return fail(QStringLiteral("cannot write the note file"));
    }
    return setCellOfDay(slot, dayNumber, c);
}

std::optional<DayRecord> Schedule::readDay(int dayNumber) const {
    if (dayNumber < 1 || dayNumber > dayCount()) {
        return std::nullopt;
    }
    // A day in the window may hold edits not yet written.
    for (int k = 1; k <= m_window.length(); ++k) {
        if (m_window.dayNumber(k) == dayNumber) {
            return *m_window.day(k);
        }
    }
    return readRecord<DayRecord>(m_days, dayNumber);
}

bool Schedule::writeDay(int dayNumber, const DayRecord& day) {
    if (dayNumber < 1 || dayNumber > dayCount()) {
        return false;
    }
    for (int k = 1; k <= m_window.length(); ++k) {
        if (m_window.dayNumber(k) == dayNumber) {
            *m_window.day(k) = day;
        }
    }
    m_modified = true;
    return m_days.write(dayNumber, day.toBytes()) ||
           fail(QStringLiteral("cannot write the day file"));
}

int Schedule::storedDays() const {
    return static_cast<int>(std::min<std::int64_t>(dayCount(), m_days.recordCount()));
}

bool Schedule::writeDays(int firstDay, std::span<const std::uint8_t> records) {
    const auto size = static_cast<std::int64_t>(DayRecord::fileSize);
    const auto bytes = static_cast<std::int64_t>(records.size());
    if (firstDay < 1 || bytes % size != 0 || firstDay - 1 + bytes / size > storedDays()) {
        return false;
    }
    m_modified = true;
    return bytes == 0 || m_days.writeRecords(firstDay, records) ||
           fail(QStringLiteral("cannot write the day file"));
}

// --- notes -----------------------------------------------------------------

int Schedule::noteCount() const {
    return static_cast<int>(NoteFile::count(m_notes));
}

QString Schedule::readNote(int number) const {
    return NoteFile::read(m_notes, number);
}

std::vector<std::uint8_t> Schedule::noteImages() const {
    const std::int64_t count = NoteFile::count(m_notes);
    std::vector<std::uint8_t> images(static_cast<std::size_t>(count) * NoteRecord::fileSize);
    if (count > 0 && !m_notes.readRecords(1, count, images)) {
        return {};
    }
    return images;
}

bool Schedule::writeNote(int slot, int position, const QString& text) {
    DayRecord* day = dayAt(position);
    if (!day || slot < 1 || slot > DayRecord::kSlots) {
        return false;
    }
    std::int16_t& field = day->note[static_cast<std::size_t>(slot - 1)];
    if (!NoteFile::write(m_notes, field, text)) {
        return fail(QStringLiteral("cannot write the note file"));
    }
    touch(position);
    return true;
}

bool Schedule::writeNoteField(std::int16_t& field, const QString& text) {
    return NoteFile::write(m_notes, field, text) ||
           fail(QStringLiteral("cannot write the note file"));
}

int Schedule::appendNote(const QString& text) {
    const int number = NoteFile::append(m_notes, text);
    if (number == 0) {
        fail(QStringLiteral("cannot write the note file"));
    }
    return number;
}

bool Schedule::replaceNotes(const QStringList& notes) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(notes.size()) * NoteRecord::fileSize);
    for (const QString& text : notes) {
        const auto image = NoteRecord{text}.toBytes();
        bytes.insert(bytes.end(), image.begin(), image.end());
    }
    if (!m_notes.truncate(0) || (!bytes.empty() && !m_notes.writeRecords(1, bytes))) {
        return fail(QStringLiteral("cannot write the note file"));
    }
    m_modified = true;
    return true;
}

// --- date range ------------------------------------------------------------

bool Schedule::changeDateRange(QDate newStart, QDate newEnd,
                               const std::function<void(int)>& progress) {
    const std::int64_t days = newStart.daysTo(newEnd) + 1;
    // Both dates must be storable: a date the settings record cannot hold would
    // be repaired to another one when the set is opened again.
    const bool storable = newStart.isValid() && newEnd.isValid() &&
                          OleDate::dayNumber(OleDate::fromDate(newStart)) &&
                          OleDate::dayNumber(OleDate::fromDate(newEnd));
    if (!storable || days < 1 || days > kMaxDays) {
        return fail(QStringLiteral("the date range is not valid"));
    }
    const auto oldStart = OleDate::dayNumber(m_settings.startDate);
    const auto oldEnd = OleDate::dayNumber(m_settings.endDate);
    if (!oldStart || !oldEnd) {
        return fail(QStringLiteral("the date range is not valid"));
    }
    const std::int64_t firstShown = *oldStart + m_window.first();
    if (!closeAll()) {
        openAll();
        return false;
    }
    RebuildRange range;
    range.oldStart = *oldStart;
    range.oldEnd = *oldEnd;
    range.newStart = static_cast<std::int64_t>(OleDate::fromDate(newStart));
    range.newEnd = static_cast<std::int64_t>(OleDate::fromDate(newEnd));
    if (!rebuildDayFiles(m_dir, range, progress)) {
        openAll();
        return fail(QStringLiteral("cannot rebuild the day file"));
    }
    const bool inside = firstShown >= range.newStart && firstShown <= range.newEnd;
    m_settings.firstShownDay = static_cast<std::int16_t>(inside ? firstShown - range.newStart : 0);
    m_settings.startDate = static_cast<double>(range.newStart);
    m_settings.endDate = static_cast<double>(range.newEnd);
    // The day file now has the new range: the settings on disk must say so too.
    const bool saved = saveSettings();
    const bool opened = openAll();
    m_modified = true;
    return saved && opened;
}

} // namespace kalmur
