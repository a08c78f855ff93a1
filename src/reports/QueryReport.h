#pragma once

#include "PageFrame.h"
#include "PrintSetup.h"
#include "ScheduleReportPrinter.h"
#include "model/criteria/QueryRun.h"
#include "model/patterns/DateText.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace kalmur {

class Schedule;

// The query report: the employees a query run found, each with its matching
// days grouped into runs of days with the same description, under a page
// heading.
namespace QueryReport {

inline const QString kNoneFound = QStringLiteral("[None Found]");
inline const QString kContinued = QStringLiteral(" (cont...)");

// The window's list: "name, count" per employee found, in entry order, or the
// single entry "[None Found]".
QStringList listEntries(const QueryRun::Result& result);

// A date in the report's short numeric form, its fields in the order of the
// system's short date: M/d/yy, d/M/yy or yy/M/d.
QString shortDate(QDate date, DateOrder order = shortDateOrder());

// What a matching day's cell holds, as printed: the descriptions of its shift
// (time off included), its explanation and on call, joined by ", ", and, when
// `withNote`, its note's text; "Not Scheduled" when there is nothing else.
QString dayDescription(const Schedule& schedule, const Cell& cell, bool withNote);

// A run of consecutive matching days with the same description.
struct Group {
    QDate first;
    QDate last;
    QString description;
    bool operator==(const Group&) const = default;
};

// The matching days (in date order) grouped: a day extends the running group
// when it follows its last day and its description is the same, ignoring
// case; the group keeps the first day's text.
struct Day {
    QDate date;
    QString description;
};
std::vector<Group> groups(const std::vector<Day>& days);

// "first description" or "first - last description".
QString groupText(const Group& group, DateOrder order = shortDateOrder());

// One employee of the report: the heading's name and count, and the texts of
// its groups (none when printing names only).
struct Employee {
    QString name;
    int days = 0;
    QStringList groups;
};

// The employees of `entries` (employee-table entries, in list order) with
// the days `result` found for them. Nothing when a day could not be read.
std::optional<std::vector<Employee>> collect(const Schedule& schedule,
                                             const QueryRun::Result& result,
                                             const std::vector<int>& entries, bool namesOnly);

// The groups of one employee as lines no wider than `width`, the groups
// separated by ", ": a line breaks between groups, inside a group only when it
// does not fit on a line of its own.
QStringList wrap(const QStringList& groups, int width,
                 const std::function<int(const QString&)>& measure);

// One printed line: an employee's heading or a line of its days.
struct Line {
    QString text;
    bool heading = false;
    bool operator==(const Line&) const = default;
};

struct Page {
    std::vector<Line> lines;
    int employeesDone = 0; // employees finished by the end of this page
};

// Deals the employees out to pages of `linesPerPage` lines (at least 2): an
// employee starts on a new page when fewer than three lines are left; when its
// days run past the bottom, the next page repeats its name with " (cont...)".
// `body` turns an employee's groups into lines. No employees give one page with
// the heading only.
std::vector<Page> paginate(const std::vector<Employee>& employees, int linesPerPage, bool notesMode,
                           const std::function<QStringList(const Employee&)>& body);

// The setup a run prints with: the query report's setup, titled with the
// query's title when the setup's own title is blank.
PrintSetup printSetup(const ReportSetup& setup, const QString& queryTitle);

// The heading line of an employee: the name, " - " and the count; the name
// alone in "[Notes]" mode.
QString headingLine(const Employee& employee, bool notesMode);

} // namespace QueryReport

// The query report on one device.
class QueryReportPrinter {
public:
    QueryReportPrinter(std::vector<QueryReport::Employee> employees, bool notesMode,
                       PrintSetup setup, PrintFonts fonts, QString subtitle, QDateTime now);

    // Measures the page on `device` and deals the lines out to pages.
    void layout(const QPagedPaintDevice& device);
    const std::vector<QueryReport::Page>& pages() const { return m_pages; }

    // Lays out and prints every page onto `device`, which the run begins and
    // ends. Stops after the page being drawn when `hooks.goOn` says so.
    RunOutcome print(QPagedPaintDevice& device, const RunHooks& hooks = {});

private:
    void paintPage(QPainter& p, int page) const;

    std::vector<QueryReport::Employee> m_employees;
    bool m_notesMode = false;
    PrintSetup m_setup;
    PrintFonts m_fonts;
    QString m_subtitle;
    QDateTime m_now;
    PageFrame m_frame;
    int m_lineHeight = 1;
    int m_headingHeight = 1;
    int m_titleHeight = 1;
    int m_indent = 0;
    std::vector<QueryReport::Page> m_pages;
};

} // namespace kalmur
