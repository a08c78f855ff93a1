#pragma once

#include <QDate>
#include <QMap>
#include <QString>

#include <optional>
#include <vector>

namespace kalmur {

struct EmployeeTable;
class ToolSession;

// What the commands that write or read CSV share: their exit statuses, the
// archive they work on and the rows they are given.
namespace CommandInput {

inline constexpr int kOk = 0;
inline constexpr int kRefused = 1;
inline constexpr int kUsage = 2;

// Opens an existing schedule archive; empty on success, else the message.
QString openExisting(ToolSession& session, const QString& path);

// The same for the commands that print or export: anything but an existing
// file named .kmr is "no such schedule file".
QString openPrintable(ToolSession& session, const QString& path);

// The named rows (dividers and blank names left out) in display order, all of
// them or those of `asked`.
std::vector<int> namedRows(const EmployeeTable& employees,
                           const std::optional<std::vector<int>>& asked);

// The --start and --days of a command. `usage` is set when one is missing or
// --rows is not a row list; otherwise `refusal` holds the message for a start
// that is not a date.
struct Run {
    QDate start;
    int days = 0;
    std::optional<std::vector<int>> rows;
    QString usage;
    QString refusal;
};
Run readRun(const QMap<QString, QString>& values);

} // namespace CommandInput

} // namespace kalmur
