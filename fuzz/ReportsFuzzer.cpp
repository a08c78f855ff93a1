// The report engine on arbitrary stored values: a report setup, a view
// format, shift records and cells of the demo ward (six weeks) as a schedule
// file could hold them, out-of-range codes and note numbers included. Each
// input lays out and prints one of the six reports into a PDF file on tmpfs,
// the way kalmur-tool prints it. A setup the engine accepts must print to the
// end: a PDF device on a writable folder never fails.
//
// Input layout (little-endian):
//   u8        report: schedule, cost, query, calendar, personal, legend
//   136 bytes the report's setup record (zeros past the end of the input)
//   u8        flags: bit 0 blank, bit 1 Letter paper, bit 2 names only
//   i16       first day of the week
//   i8, u8    start (days from the schedule's first day), number of days
//   u8        query number (0 "[Notes]", 1 to 10)
//   u8        view-format patches, each u16 offset, u8 length, the bytes
//   u8        shift patches, each u8 shift number, u8 offset, u8 byte
//   u8        cell edits, each u8 day, u8 slot, u8 shift, on call and
//             explanation, i16 note
//   u8, u8    the display rows printed: the first (from 1), and how many more
//             (a calendar prints one page per employee: at most four here)

#include "DemoWard.h"
#include "FuzzInput.h"
#include "FuzzScratch.h"
#include "ScheduleChecks.h"

#include "model/criteria/QueryRun.h"
#include "model/schedule/Schedule.h"
#include "reports/CalendarReportPrinter.h"
#include "reports/CostReport.h"
#include "reports/LegendReport.h"
#include "reports/PdfDevice.h"
#include "reports/PrintDays.h"
#include "reports/QueryReport.h"
#include "reports/ScheduleReportPrinter.h"

#include <QGuiApplication>
#include <QLocale>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace kalmur;
using fuzz::broken;

namespace {

fuzz::DemoWardTarget target;
// A fixed time of the run, so that every page heading is the same.
const QDateTime kNow(QDate(2027, 1, 4), QTime(14, 30));

enum Report { ScheduleGrid, Cost, Query, Calendar, Personal, Legend, kReports };

struct Request {
    Report report = ScheduleGrid;
    ReportSetup setup;
    bool blank = false;
    bool letter = false;
    bool namesOnly = false;
    QDate start;
    int days = 1;
    int query = 0;
    std::vector<int> rows;
};

template <std::size_t N>
void patch(std::array<std::uint8_t, N>& image, fuzz::FuzzInput& in) {
    std::size_t at = in.u16() % N;
    for (const std::uint8_t b : in.bytes(in.u8() % 32)) {
        image[at] = b;
        at = (at + 1) % N;
    }
}

// Changes the schedule as the input says and returns what to print.
Request prepare(Schedule& s, fuzz::FuzzInput& in) {
    Request r;
    r.report = static_cast<Report>(in.u8() % kReports);
    std::array<std::uint8_t, ReportSetup::fileSize> setup{};
    const auto setupBytes = in.bytes(setup.size());
    std::copy(setupBytes.begin(), setupBytes.end(), setup.begin());
    r.setup = ReportSetup::fromBytes(setup);
    const std::uint8_t flags = in.u8();
    r.blank = (flags & 1) != 0;
    r.letter = (flags & 2) != 0;
    r.namesOnly = (flags & 4) != 0;
    s.settings().weekStart = in.i16();
    r.start = s.startDate().addDays(in.i8());
    r.days = in.u8();
    r.query = in.u8() % (QueryRecord::kCount + 1);

    auto format = s.viewFormat().toBytes();
    for (int n = in.u8() % 8; n > 0; --n) {
        patch(format, in);
    }
    s.viewFormat() = ViewFormat::fromBytes(format);
    for (int n = in.u8() % 8; n > 0; --n) {
        const int number = in.u8() % ShiftRecord::kCount;
        auto image = s.shifts()[static_cast<std::size_t>(number)].toBytes();
        const std::size_t at = in.u8() % image.size();
        image[at] = in.u8();
        s.shifts()[static_cast<std::size_t>(number)] = ShiftRecord::fromBytes(image);
    }
    if (!s.flush()) {
        broken("cannot flush the demo ward", s.errorString());
    }
    for (int n = in.u8() % 16; n > 0; --n) {
        const int day = in.u8() % s.dayCount() + 1;
        const auto slot = static_cast<std::size_t>(in.u8() % DayRecord::kSlots);
        auto record = s.readDay(day);
        if (!record) {
            broken("cannot read a day of the demo ward", QString::number(day));
        }
        record->shift[slot] = in.u8();
        record->onCall[slot] = in.u8();
        record->explanation[slot] = in.u8();
        record->note[slot] = in.i16();
        if (!s.writeDay(day, *record)) {
            broken("cannot write a day of the demo ward", s.errorString());
        }
    }
    const int firstRow = in.u8() % EmployeeTable::kRows + 1;
    const int more = in.u8() % (r.report == Calendar || r.report == Personal ? 4 : 200);
    for (int row = firstRow; row <= std::min(firstRow + more, EmployeeTable::kRows); ++row) {
        r.rows.push_back(row);
    }
    return r;
}

// Applies the setup to a PDF file as every command does, then prints; a run
// the setup allowed must end.
template <typename Draw>
void print(const PrintSetup& setup, bool letter, Draw draw) {
    PdfDevice device(target.scratch->file(QStringLiteral("report.pdf")), letter);
    const AppliedSetup applied = applySetup(setup, device, [](const QString&) { return true; });
    if (!applied.ok()) {
        return;
    }
    if (draw(device.writer(), *applied.fonts) != RunOutcome::Done) {
        broken("a report did not print to a PDF file on a writable folder");
    }
}

void printSchedule(const Schedule& s, const Request& r) {
    const ViewFormat& format = s.viewFormat();
    if (!format.isUsed() || !PrintDays::daysError(r.days).isEmpty()) {
        return; // what the command refuses
    }
    const auto data = ScheduleReportData::collect(s, format, r.start, r.days, r.rows, r.blank);
    if (!data) {
        broken("cannot collect the schedule report", s.errorString());
    }
    const PrintSetup setup = PrintSetup::prepare(r.setup, &format);
    print(setup, r.letter, [&](QPagedPaintDevice& device, const PrintFonts& fonts) {
        return ScheduleReportPrinter(s, format, *data, setup, fonts, kNow).print(device);
    });
}

void printCost(const Schedule& s, const Request& r) {
    if (r.days < 1 || !CostReport::rangeAvailable(r.start, r.days, s.startDate(), s.endDate())) {
        return;
    }
    std::vector<int> entries;
    for (int row = 1; row <= EmployeeTable::kRows; ++row) {
        if (s.employees().isNamed(row)) {
            entries.push_back(row);
        }
    }
    const auto table = CostReport::table(s, entries, r.start, r.days);
    if (!table) {
        broken("cannot collect the cost report", s.errorString());
    }
    const PrintSetup setup = PrintSetup::prepare(r.setup);
    print(setup, r.letter, [&](QPagedPaintDevice& device, const PrintFonts& fonts) {
        return CostReportPrinter(*table, setup, fonts, CostReport::subtitle(r.start, r.days), kNow)
            .print(device);
    });
}

void printQuery(const Schedule& s, const Request& r) {
    const int first = s.dayOfDate(r.start);
    const auto result = QueryRun::run(s, r.query, first, first + r.days);
    if (!result) {
        return; // a query record that cannot be read
    }
    std::vector<int> entries;
    for (const QueryRun::Found& f : result->found) {
        entries.push_back(f.entry);
    }
    const auto employees =
        QueryReport::collect(s, *result, entries, !result->notesMode && r.namesOnly);
    if (!employees) {
        broken("cannot collect the query report", s.errorString());
    }
    const PrintSetup setup = QueryReport::printSetup(r.setup, result->title);
    print(setup, r.letter, [&](QPagedPaintDevice& device, const PrintFonts& fonts) {
        return QueryReportPrinter(*employees, result->notesMode, setup, fonts,
                                  CostReport::subtitle(s.dateOfDay(result->firstDay),
                                                       result->lastDay - result->firstDay + 1),
                                  kNow)
            .print(device);
    });
}

void printCalendar(const Schedule& s, const Request& r) {
    CalendarReport::Run run;
    if (r.report == Calendar) {
        const QDate first(r.start.year(), r.start.month(), 1);
        run = CalendarReport::Run::month({CalendarReport::months(first, first).front().text, first},
                                         s.settings().weekStart,
                                         r.setup.options[CalendarReport::kStartOnSunday - 1]);
    } else {
        if (!PrintDays::daysError(r.days).isEmpty()) {
            return;
        }
        run = CalendarReport::Run::days(r.start, r.days);
    }
    const auto data =
        CalendarReport::Data::collect(s, s.viewFormat(), run, r.rows, r.setup, r.blank);
    if (!data) {
        broken("cannot collect the calendar", s.errorString());
    }
    const PrintSetup setup = PrintSetup::prepare(r.setup);
    print(setup, r.letter, [&](QPagedPaintDevice& device, const PrintFonts& fonts) {
        return CalendarReportPrinter(*data, setup, fonts, s.viewFormat().timeFormat, kNow)
            .print(device);
    });
}

void printLegend(const Schedule& s, const Request& r) {
    const PrintSetup setup = PrintSetup::prepare(r.setup);
    print(setup, r.letter, [&](QPagedPaintDevice& device, const PrintFonts& fonts) {
        return LegendPrinter(
                   LegendReport::lines(s, LegendReport::timeFormat(s.viewFormat().timeFormat)),
                   LegendReport::Options::of(r.setup), setup, fonts, kNow)
            .print(device);
    });
}

void run(fuzz::FuzzInput& in, const QString& work) {
    target.demo->writeTo(work);
    Schedule s(work, QLocale(QLocale::English, QLocale::UnitedStates));
    fuzz::openWorkingSet(s);
    const Request r = prepare(s, in);
    switch (r.report) {
    case ScheduleGrid:
        printSchedule(s, r);
        break;
    case Cost:
        printCost(s, r);
        break;
    case Query:
        printQuery(s, r);
        break;
    case Calendar:
    case Personal:
        printCalendar(s, r);
        break;
    case Legend:
    case kReports:
        printLegend(s, r);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    target = fuzz::startDemoWardTarget("reports");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    target.scratch->runInWorkFolder([&](const QString& work) {
        fuzz::FuzzInput in(data, size);
        run(in, work);
    });
    return 0;
}
