#include "CoverageCsv.h"

#include "Csv.h"

#include "model/criteria/MatchCounts.h"
#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"

#include <QDate>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>

namespace kalmur::CoverageCsv {

namespace {

// Appends `value` in decimal.
void appendNumber(std::string& text, int value) {
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    text.append(digits, end);
}

// Appends `value` with at least `width` digits, zero-filled.
void appendPadded(std::string& text, int value, std::size_t width) {
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    text.append(length < width ? width - length : 0, '0');
    text.append(digits, end);
}

} // namespace

bool write(const Schedule& schedule, const ViewFormat& format, int firstDay, int lastDay,
           QTextStream& out) {
    const int lines = std::clamp<int>(format.coverageVisible, 0, ViewFormat::kCoverageLines);
    const auto criteria = Criteria::coverage(format, lines);
    const DayRange range(schedule, firstDay, lastDay);
    const auto counted =
        MatchCounts::perDay(criteria, schedule.employees(), schedule.settings().rowOrder, range);
    if (!counted) {
        return false;
    }
    // Built as UTF-8 in one buffer: ten years of totals are some 100 KB.
    std::string text = "line,title";
    text.reserve(static_cast<std::size_t>(range.size() + 1) *
                 static_cast<std::size_t>(11 + 3 * lines));
    QDate date = schedule.dateOfDay(range.first());
    for (int d = range.first(); d <= range.last(); ++d, date = date.addDays(1)) {
        int year = 0;
        int month = 0;
        int day = 0;
        date.getDate(&year, &month, &day);
        text += ',';
        appendPadded(text, year, 4);
        text += '-';
        appendPadded(text, month, 2);
        text += '-';
        appendPadded(text, day, 2);
    }
    text += '\n';
    for (int l = 0; l < lines; ++l) {
        appendNumber(text, l + 1);
        text += ',';
        text += Csv::field(format.coverageLines[static_cast<std::size_t>(l)].title.trimmed())
                    .toStdString();
        for (const int total : (*counted)[static_cast<std::size_t>(l)]) {
            text += ',';
            appendNumber(text, total);
        }
        text += '\n';
    }
    out << QString::fromStdString(text);
    return true;
}

} // namespace kalmur::CoverageCsv
