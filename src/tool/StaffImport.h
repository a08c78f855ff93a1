#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <optional>
#include <vector>

namespace kalmur {

class Schedule;

// kalmur-tool import-staff: names, positions and pay from a spreadsheet's CSV
// into display rows. The header names some of the columns row, name, position,
// payRate and payType; a line without a row takes the next empty row. The
// whole file is checked before anything changes: one bad line refuses it all.
namespace StaffImport {

inline constexpr const char* kUsage = "import-staff FILE.kmr STAFF.csv";
inline constexpr const char* kSummary =
    "Fill display rows from a CSV file (UTF-8) whose header names some of the columns row, "
    "name, position, payRate and payType, and save. A line with a row (1 to 200) sets that "
    "row's fields that it gives; a line without one needs a name and takes the next empty "
    "row. payRate is 0.00 to 999.99, payType hour or day. Names longer than 20 characters and "
    "positions longer than 10 are cut, with a warning for each. A bad line refuses the whole "
    "file with its line number, and nothing is saved.";

// One line of the file: the fields it gives.
struct Person {
    int line = 0;
    int row = 0; // 0: the next empty row
    std::optional<QString> name;
    std::optional<QString> position;
    std::optional<std::int64_t> payRate; // Currency units
    std::optional<std::int16_t> payType; // 0 per hour, 1 per day
};

struct StaffList {
    std::vector<Person> people;
    QStringList warnings; // "line N: ..." for each cut
    QString error;        // "line N: ...", empty when every line is good
};

// Reads and checks the text of a staff file.
StaffList read(const QString& text);

// Puts the people into the schedule's employee table: numbered rows first,
// then the others into the rows that are empty (a blank name and no cell on
// any day of the schedule), in display order. Empty when done; otherwise the
// message, and the table may be half changed (the caller does not save).
QString apply(Schedule& schedule, const StaffList& staff);

int run(const QString& archive, const QString& staffFile, QTextStream& out, QTextStream& err);

} // namespace StaffImport

} // namespace kalmur
