#pragma once

#include "DayWindow.h"
#include "FixedRecordFile.h"
#include "Members.h"
#include "model/records/Cell.h"
#include "model/records/EmployeeTable.h"
#include "model/records/ExplanationTable.h"
#include "model/records/QueryRecord.h"
#include "model/records/ScheduleSettings.h"
#include "model/records/ShiftRecord.h"
#include "model/records/ViewFormat.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <span>

namespace kalmur {

// An open schedule: the working set of member files in the working directory,
// the tables held in memory (settings, employees, shifts, explanations, the
// current view format) and the day window. Edits change memory and set the
// dirty flag of their day and the schedule-modified flag; flush() writes them.
class Schedule {
public:
    explicit Schedule(QString workingDirectory, QLocale locale = QLocale());
    ~Schedule();
    Schedule(const Schedule&) = delete;
    Schedule& operator=(const Schedule&) = delete;

    const QString& workingDirectory() const { return m_dir; }
    // What went wrong in the last failed call, for messages.
    const QString& errorString() const { return m_error; }

    // --- settings record ---
    struct LoadedSettings {
        bool ok = false;
        bool createdDefaults = false; // the settings file was empty: a new schedule
    };
    LoadedSettings loadSettings(QDate today = QDate::currentDate());
    bool saveSettings();
    ScheduleSettings& settings() { return m_settings; }
    const ScheduleSettings& settings() const { return m_settings; }

    // --- working set ---
    // Completes the member set with defaults, opens it, reads the tables and
    // loads the day window.
    bool openAll();
    // Flushes, then closes every member and clears the modified flag. Returns
    // false when the flush failed (the members are closed all the same).
    bool closeAll();
    // Writes the employee table, the changed days and the settings record.
    bool flush();
    bool isOpen() const { return m_open; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified = true) { m_modified = modified; }

    // --- dates ---
    QDate startDate() const;
    QDate endDate() const;
    int dayCount() const;
    QDate dateOfDay(int dayNumber) const;
    // Day number (1 = start) of a date; may lie outside 1..dayCount().
    int dayOfDate(QDate date) const;

    // --- tables ---
    EmployeeTable& employees() { return m_employees; }
    const EmployeeTable& employees() const { return m_employees; }
    // Shift n (1..102); numbers outside give an undefined shift.
    const ShiftRecord& shift(int number) const;
    std::array<ShiftRecord, ShiftRecord::kCount>& shifts() { return m_shifts; }
    bool writeShifts();
    // Reloads the shift table from the file (a cancelled edit).
    bool reloadShifts();
    // Colour of shift n, 0..15 (out-of-range colours read as 0).
    int shiftColour(int number) const;
    ExplanationTable& explanations() { return m_explanations; }
    const ExplanationTable& explanations() const { return m_explanations; }
    bool writeExplanations();
    bool reloadExplanations();
    bool writeEmployees();
    // The slot shown on display row 1..200 (0 for a row outside).
    int slotOfRow(int row) const;
    // A row with a blank name whose cells are empty on every day of the window
    // (the other kinds of row are the employee table's).
    bool isEmptyRow(int row) const;

    // --- view formats ---
    int viewFormatNumber() const { return m_viewFormatNumber; }
    ViewFormat& viewFormat() { return m_viewFormat; }
    const ViewFormat& viewFormat() const { return m_viewFormat; }
    std::array<QString, ViewFormat::kCount> viewFormatNames() const;
    std::optional<ViewFormat> readViewFormat(int number) const;
    bool writeViewFormat(int number, const ViewFormat& format);
    // Writes the current view format back to its record.
    bool writeCurrentViewFormat();
    // Makes format `number` current and reloads the window for its day count.
    bool selectViewFormat(int number);
    // Re-reads the window length from the current view format and reloads.
    bool applyViewFormat();

    // --- queries ---
    std::optional<QueryRecord> readQuery(int number) const;
    bool writeQuery(int number, const QueryRecord& query);

    // --- day window and cells ---
    const DayWindow& window() const { return m_window; }
    int windowLength() const { return m_window.length(); }
    int firstShownDay() const { return m_window.first(); }
    // Loads the window at `first` days after the start (pulled back to fit).
    bool loadWindow(int first);
    bool loadWindow() { return loadWindow(m_settings.firstShownDay); }
    // One day later / earlier; AtEdge means the window already touches the end
    // or the start (the caller beeps). Both set the modified flag.
    DayWindow::Move moveLater();
    DayWindow::Move moveEarlier();

    // Cells by slot (1..200) and window position (1..windowLength()).
    Cell cell(int slot, int position) const;
    void setCell(int slot, int position, const Cell& cell);
    void setShift(int slot, int position, std::uint8_t shift);
    void setOnCall(int slot, int position, std::uint8_t onCall);
    void setExplanation(int slot, int position, std::uint8_t explanation);
    void setNoteNumber(int slot, int position, std::int16_t note);

    // Cells by slot and day number (1..dayCount()), inside the window or
    // beyond it: a day in the window is changed in memory (and marked dirty),
    // any other day in the day file at once.
    int positionOfDay(int dayNumber) const;
    Cell cellOfDay(int slot, int dayNumber) const;
    bool setCellOfDay(int slot, int dayNumber, const Cell& cell);
    // Writes the note of a cell on any day (see writeNote).
    bool writeNoteOfDay(int slot, int dayNumber, const QString& text);

    // Days outside the window, read from and written to the day file (reports
    // and multi-day commands do this after a flush).
    std::optional<DayRecord> readDay(int dayNumber) const;
    bool writeDay(int dayNumber, const DayRecord& day);
    // The day file itself, for reading many days at once (DayRange).
    const FixedRecordFile& dayFile() const { return m_days; }
    // The days the day file holds records for: dayCount(), or fewer when the
    // file is short.
    int storedDays() const;
    // Writes whole day records from `firstDay` on straight into the day file,
    // after a flush; the caller reloads the window. Refused (nothing written)
    // unless every day lies within storedDays(): the file never grows.
    bool writeDays(int firstDay, std::span<const std::uint8_t> records);

    // --- notes ---
    int noteCount() const;
    QString readNote(int number) const;
    // The stored records of every note, read at once (for searching many
    // notes); empty when the note file cannot be read.
    std::vector<std::uint8_t> noteImages() const;
    // Writes the note of a cell in the window, giving it a note record as needed.
    bool writeNote(int slot, int position, const QString& text);
    // Writes the note of a cell whose note field is `field` (a day record
    // being rewritten), updating the field as writeNote does.
    bool writeNoteField(std::int16_t& field, const QString& text);
    // Appends a note for a cell that receives another cell's note; 0 on failure.
    int appendNote(const QString& text);
    // Replaces the whole note file: note n becomes notes[n - 1].
    bool replaceNotes(const QStringList& notes);

    // --- date range ---
    // Rebuilds the day and note files for new dates (closing and reopening the
    // set), keeping the first shown date when it lies inside the new range.
    bool changeDateRange(QDate newStart, QDate newEnd,
                         const std::function<void(int)>& progress = {});

private:
    bool openMember(FixedRecordFile& file, Member member);
    bool readTables();
    bool loadCurrentViewFormat();
    void closeHandles();
    bool fail(const QString& what);
    DayRecord* dayAt(int position);
    void touch(int position);

    QString m_dir;
    QLocale m_locale;
    QString m_error;

    FixedRecordFile m_days;
    FixedRecordFile m_shiftFile;
    FixedRecordFile m_employeeFile;
    FixedRecordFile m_viewFormatFile;
    FixedRecordFile m_notes;
    FixedRecordFile m_explanationFile;
    FixedRecordFile m_queryFile;

    ScheduleSettings m_settings;
    EmployeeTable m_employees;
    std::array<ShiftRecord, ShiftRecord::kCount> m_shifts{};
    ExplanationTable m_explanations;
    ViewFormat m_viewFormat;
    int m_viewFormatNumber = 1;
    DayWindow m_window;
    bool m_open = false;
    bool m_modified = false;
};

} // namespace kalmur
