#pragma once

#include "PageFrame.h"
#include "PrintSetup.h"
#include "ScheduleReportPrinter.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace kalmur {

class Schedule;
struct ReportSetup;

// One line of the legend: a shift, a reserved mark (off, on call, note) or an
// explanation.
struct LegendLine {
    enum class Kind { Shift, Tag, Explanation };
    Kind kind = Kind::Shift;
    int number = 0; // the shift 1..102 or the explanation 1..99
    QString abbreviation;
    QString description;
    QString times; // start " - " end; empty for the marks and explanations
    double breakLength = 0;
    double paidLength = 0;
    QString quickKey; // "[D]", "[SHIFT-W]", "[CTRL-X]"; empty for none
    int colour = 0;

    bool timed() const { return kind == Kind::Shift; }
    bool operator==(const LegendLine&) const = default;
};

namespace LegendReport {

// The legend's fields in order: abbreviation, description, times, break,
// length, quick key.
inline constexpr int kFields = 6;
enum Field { Abbreviation, Description, Times, Break, Length, QuickKey };

// The print options of the legend's setup (its options 1 to 5).
struct Options {
    bool times = true;
    bool breakLength = true;
    bool shiftLength = true;
    bool quickKeys = true;
    bool separate = false; // shifts and explanations apart
    static Options of(const ReportSetup& setup);
    // Whether field `f` prints under these options.
    bool prints(int field) const;
};

// The times of the legend: "hh:nna/p" when the view format's time format has
// the 12-hour marker, otherwise "hh:nn".
QString timeFormat(const QString& viewTimeFormat);

// The quick key of a line: "[SHIFT-" and the character "]" with Shift,
// otherwise "[" and the character "]"; the off mark's is "[CTRL-X]", the
// on-call mark's "[CTRL-O]"; nothing for no key.
QString quickKeyText(LegendLine::Kind kind, int number, std::uint8_t key);

LegendLine shiftLine(const Schedule& schedule, int number, const QString& timeFormat);
LegendLine explanationLine(const Schedule& schedule, int number);

// The legend of a schedule: the defined shifts 1..99, the three marks, then
// the defined explanations.
std::vector<LegendLine> lines(const Schedule& schedule, const QString& timeFormat);

// The fields of a line, the lengths in `numberPattern` ("##.##" on screen,
// "#0.00" on paper); empty fields where a line has nothing.
std::array<QString, kFields> fields(const LegendLine& line, const QString& numberPattern);
// The line of the on-screen list: its fields joined by tabs.
QString listText(const LegendLine& line);

} // namespace LegendReport

// A row of the printed legend: a line, or the heading of a group when the
// groups print apart.
struct LegendRow {
    int line = -1;   // index into the lines, -1 for a heading
    QString heading; // "Shifts" or "Explanations"
    int top = 0;     // below the top of the page's body, in device pixels
    bool operator==(const LegendRow&) const = default;
};

// The legend on one device.
class LegendPrinter {
public:
    LegendPrinter(std::vector<LegendLine> lines, LegendReport::Options options, PrintSetup setup,
                  PrintFonts fonts, QDateTime now);

    // Measures the columns on `device` and deals the rows out to pages.
    void layout(const QPagedPaintDevice& device);
    const std::vector<std::vector<LegendRow>>& pages() const { return m_pages; }
    const PageFrame& frame() const { return m_frame; }
    // Left edges of the printed fields, -1 for a field that does not print.
    const std::array<int, LegendReport::kFields>& columns() const { return m_columns; }

    // Lays out and prints every page onto `device`, which the run begins and
    // ends. Stops after the line being drawn when `hooks.goOn` says so.
    RunOutcome print(QPagedPaintDevice& device, const RunHooks& hooks = {});

private:
    bool paintPage(QPainter& p, int page, const RunHooks& hooks) const;

    std::vector<LegendLine> m_lines;
    LegendReport::Options m_options;
    PrintSetup m_setup;
    PrintFonts m_fonts;
    QDateTime m_now;
    PageFrame m_frame;
    std::array<int, LegendReport::kFields> m_columns{};
    std::array<int, LegendReport::kFields> m_widths{};
    int m_lineHeight = 1; // a line of the body font and the vertical gap
    int m_gap = 0;        // the vertical gap: half the height of "jA"
    int m_bodyTop = 0;    // the heading band above the lines
    std::vector<std::vector<LegendRow>> m_pages;
};

} // namespace kalmur
