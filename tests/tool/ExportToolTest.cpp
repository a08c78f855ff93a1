// kalmur-tool cost, export-csv and import-staff over a small hand-made ward:
// the CSV read back with a parser of the test's own, names that hold commas,
// quotes and line breaks, and staff lists that are taken or refused whole.
#include "support/ToolRunner.h"
#include "tool/ToolSession.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

// 42 days from 1 January 1997. Row 2 is a divider, row 4 has no name but a
// cell on 10 January, rows 5 on are empty. Shift 1 is a 10-hour day, 2 an
// overnight 8 hours; overtime after 8 hours a day at 1.5.
constexpr const char* kWard = R"({
  "start": "1997-01-01", "end": "1997-02-11",
  "overtime": {"thresDay": 8, "dayOtFactor": 1.5, "periodDays": 7, "thresPeriod": 40,
               "periodOtFactor": 1.5},
  "rows": [
    {"row": 1, "name": "Adams, Ann", "position": "RN", "payRate": 10, "payType": 0},
    {"row": 2, "name": "/ Nights"},
    {"row": 3, "name": "Cole \"CJ\"", "position": "LPN", "payRate": 100, "payType": 1},
    {"row": 6, "name": "Old", "position": "Gone", "payRate": 55, "payType": 1}
  ],
  "shifts": [
    {"number": 1, "description": "Long day", "abbreviation": "LD", "start": "07:00",
     "end": "17:00", "breakLength": 0, "paidLength": 10},
    {"number": 2, "description": "Night", "abbreviation": "N", "start": "23:00",
     "end": "07:00", "breakLength": 0, "paidLength": 8},
    {"number": 100, "description": "Off", "abbreviation": "X"}
  ],
  "explanations": [{"number": 2, "description": "Sick", "abbreviation": "S"}],
  "notes": ["Swap, \"maybe\"\r\nwith Ann"],
  "viewFormats": [{"number": 1, "useAbbreviations": false, "showTimeOff": true,
                   "timeFormat": "hh:nn",
                   "cellRows": [{"item": 120, "screen": true, "report": true, "tie": true},
                                {"item": 220, "screen": true, "report": true, "tie": false},
                                {"item": 150, "screen": true, "report": true, "tie": false},
                                {"item": 310, "screen": true, "report": true, "tie": false},
                                {"item": 0, "screen": false, "report": false, "tie": false},
                                {"item": 0, "screen": false, "report": false, "tie": false}]}],
  "viewFormat": 1,
  "days": [
    {"date": "1997-01-01", "cells": [{"slot": 1, "shift": 1}, {"slot": 3, "shift": 2, "note": 1}]},
    {"date": "1997-01-02", "cells": [{"slot": 1, "shift": 1}, {"slot": 3, "onCall": 1}]},
    {"date": "1997-01-03", "cells": [{"slot": 1, "shift": 1},
                                     {"slot": 3, "shift": 100, "explanation": 2}]},
    {"date": "1997-01-10", "cells": [{"slot": 4, "explanation": 2}]}
  ]
})";

// RFC 4180 read the simple way, to check the tool's writer against.
std::vector<QStringList> parseCsv(const QString& text) {
    std::vector<QStringList> lines;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += c;
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields << field;
            field.clear();
        } else if (c == '\n') {
            lines.push_back(fields << field);
            fields.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(field.isEmpty() && fields.isEmpty()) << "the text ends inside a line";
    return lines;
}

QByteArray digest(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

struct ExportToolTest : ::testing::Test {
    QTemporaryDir dir;
    QString ward = dir.filePath(QStringLiteral("ward.kmr"));

    void SetUp() override {
        ASSERT_EQ(write("ward.json", kWard), 0);
        const ToolRun r = tool({"import", ward, dir.filePath(QStringLiteral("ward.json"))});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
    }
    int write(const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? 0 : 1;
    }
};

} // namespace

TEST_F(ExportToolTest, CostPrintsTheReportsTableAsCsv) {
    const QByteArray before = digest(ward);
    const ToolRun all = tool({"cost", ward, "--start", "1997-01-01", "--days", "7"});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    // Three 10-hour days at 10 an hour with 8 hours regular: 24 + 6 x 15; the
    // daily employee is paid a day for the night shift, not for time off.
    const std::vector<QStringList> expected{
        {"Name", "Position", "Type", "Cost", "Regular Hrs", "Daily OT Hrs", "Period OT Hrs",
         "Days Worked", "Total Cost"},
        {"Adams, Ann", "RN", "Hourly", "10.00", "24.00", "6.00", "-", "3", "330.00"},
        {"Cole \"CJ\"", "LPN", "Daily", "100.00", "8.00", "N/A", "N/A", "1", "100.00"},
        {"Old", "Gone", "Daily", "55.00", "-", "N/A", "N/A", "-", "-"},
        {"TOTALS", " ", " ", " ", "32.00", "6.00", "-", " ", "430.00"}};
    EXPECT_EQ(parseCsv(all.out), expected);
    EXPECT_EQ(digest(ward), before) << "the archive is only read";

    const ToolRun chosen =
        tool({"cost", ward, "--start", "1997-02-05", "--days", "7", "--rows", "3,2,4"});
    ASSERT_EQ(chosen.status, 0) << chosen.err.toStdString();
    const auto lines = parseCsv(chosen.out);
    ASSERT_EQ(lines.size(), 3u) << "titles, the one named row asked for, totals";
    EXPECT_EQ(lines[1].value(0), "Cole \"CJ\"");
}

TEST_F(ExportToolTest, CostRefusesWithTheWindowsMessages) {
    struct Case {
        QStringList args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--start", "1997-02-06", "--days", "7"}, 1, "Data not available for date entered"},
        {{"--start", "1996-12-31", "--days", "1"}, 1, "Data not available for date entered"},
        {{"--start", "1997-01-01", "--days", "0"}, 1, "Number of days must be greater than zero."},
        {{"--start", "1997-01-01", "--days", "43"}, 1, "Number of days cannot be greater than 42."},
        {{"--start", "1997-02-30", "--days", "1"}, 1, "The date entered 1997-02-30 is not a valid"},
        {{"--start", "1997-01-01"}, 2, "give --start and --days"},
        {{"--start", "1997-01-01", "--days", "7", "--rows", "0-3"}, 2, "--rows takes"},
    };
    for (const Case& c : cases) {
        const ToolRun r = tool(QStringList{"cost", ward} + c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(ExportToolTest, ExportCsvWritesTheGridAsTheReportPrintsIt) {
    const ToolRun r = tool({"export-csv", ward, "--start", "1997-01-01", "--days", "3"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const std::vector<QStringList> expected{
        {"name", "position", "1997-01-01", "1997-01-02", "1997-01-03"},
        {"Adams, Ann", "RN", "Long day / 07:00 - 17:00", "Long day / 07:00 - 17:00",
         "Long day / 07:00 - 17:00"},
        {"Cole \"CJ\"", "LPN", "Night / 23:00 - 07:00 / Swap, \"maybe\"\r\nwith Ann", "",
         "Off, Sick"},
        {"Old", "Gone", "", "", ""}};
    EXPECT_EQ(parseCsv(r.out), expected);

    // Any length inside the schedule; the rows asked for that have names.
    const ToolRun whole = tool({"export-csv", ward, "--start", "1997-01-01", "--days", "42",
                                "--rows", "1-4", "--layout", "grid"});
    ASSERT_EQ(whole.status, 0) << whole.err.toStdString();
    const auto lines = parseCsv(whole.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 44);
    EXPECT_EQ(lines[0].last(), "1997-02-11");
}

TEST_F(ExportToolTest, ExportCsvLongLayoutHasALinePerCellThatIsNotEmpty) {
    const ToolRun r =
        tool({"export-csv", ward, "--start", "1997-01-01", "--days", "10", "--layout", "long"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString a = QStringLiteral("Adams, Ann");
    const QString c = QStringLiteral("Cole \"CJ\"");
    const std::vector<QStringList> expected{
        {"date", "entry", "name", "position", "shift", "shiftAbbreviation", "shiftDescription",
         "start", "end", "paidHours", "onCall", "explanation", "explanationDescription", "note"},
        {"1997-01-01", "1", a, "RN", "1", "LD", "Long day", "07:00", "17:00", "10.00", "0", "", "",
         ""},
        {"1997-01-01", "3", c, "LPN", "2", "N", "Night", "23:00", "07:00", "8.00", "0", "", "",
         "Swap, \"maybe\"\r\nwith Ann"},
        {"1997-01-02", "1", a, "RN", "1", "LD", "Long day", "07:00", "17:00", "10.00", "0", "", "",
         ""},
        {"1997-01-02", "3", c, "LPN", "", "", "", "", "", "", "1", "", "", ""},
        {"1997-01-03", "1", a, "RN", "1", "LD", "Long day", "07:00", "17:00", "10.00", "0", "", "",
         ""},
        {"1997-01-03", "3", c, "LPN", "100", "X", "Off", "", "", "", "0", "2", "Sick", ""}};
    // Row 4 has no name: its cell on the 10th is left out with the row.
    EXPECT_EQ(parseCsv(r.out), expected);

    struct Case {
        QStringList args;
        int status;
    };
    const Case refused[] = {
        {{"--start", "1996-12-31", "--days", "2"}, 1},
        {{"--start", "1997-02-11", "--days", "2"}, 1},
        {{"--start", "1997-01-01", "--days", "0"}, 1},
        {{"--start", "1997-01-01", "--days", "2", "--layout", "wide"}, 2},
    };
    for (const Case& bad : refused) {
        const ToolRun r2 = tool(QStringList{"export-csv", ward} + bad.args);
        EXPECT_EQ(r2.status, bad.status) << bad.args.join(' ').toStdString();
        EXPECT_TRUE(r2.out.isEmpty());
    }
}

TEST_F(ExportToolTest, ImportStaffFillsRowsAndSaves) {
    // Row 4 holds a cell, so the new names go to 5 and 7; row 6 is given by
    // number and keeps its position. A row taken afresh keeps no old pay.
    ASSERT_EQ(write("staff.csv", "\xEF\xBB\xBFName,Position,payRate,payType,row\r\n"
                                 "\"Diaz, \"\"Dee\"\"\",LPN,12.5,hour,\r\n"
                                 ",,,,\r\n"
                                 "Baker,,100,DAY,6\r\n"
                                 "Evangelista-Fitzgerald Maria,Registered Nurse,,,\r\n"
                                 "  ,  ,  ,  ,\"1\"\r\n"),
              0);
    const ToolRun r = tool({"import-staff", ward, dir.filePath(QStringLiteral("staff.csv"))});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.count(QStringLiteral("cut to")), 2) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("line 5: name")));

    ToolSession session;
    ASSERT_EQ(session.open(ward), QString());
    const EmployeeTable& e = session.schedule().employees();
    struct Row {
        int row;
        const char* name;
        const char* position;
        std::int64_t payRate;
        int payType;
    };
    const Row rows[] = {
        {1, "Adams, Ann", "RN", 100000, 0},
        {4, "", "", 0, 0},
        {5, "Diaz, \"Dee\"", "LPN", 125000, 0},
        {6, "Baker", "Gone", 1000000, 1},
        {7, "Evangelista-Fitzgera", "Registered", 0, 0},
        {8, "", "", 0, 0},
    };
    for (const Row& row : rows) {
        const auto i = std::size_t(row.row - 1);
        EXPECT_EQ(e.names[i].trimmed(), QString::fromUtf8(row.name)) << row.row;
        EXPECT_EQ(e.positions[i].trimmed(), QString::fromUtf8(row.position)) << row.row;
        EXPECT_EQ(e.payRate[i], row.payRate) << row.row;
        EXPECT_EQ(e.payType[i], row.payType) << row.row;
    }
}

TEST_F(ExportToolTest, ImportStaffRefusesABadLineAndSavesNothing) {
    struct Case {
        const char* csv;
        const char* message;
    };
    const Case cases[] = {
        {"name,payType\nBaker,hour\nCole,week\n", "line 3: payType must be hour or day"},
        {"name,payRate\nBaker,999.991\n", "line 2: payRate must be an amount from 0.00"},
        {"name,payRate\nBaker,12,50\n", "line 2: 3 fields where the header has 2"},
        {"row,name\n201,Baker\n", "line 2: row must be a display row 1 to 200"},
        {"row,name\n5,Baker\n5,Cole\n", "line 3: row 5 is given twice (first on line 2)"},
        {"name,grade\nBaker,3\n", "line 1: unknown column \"grade\""},
        {"position\nRN\n", "line 2: a line without a row needs a name"},
        // A quoted line break counts as a line of the file.
        {"name,position\nBaker,\"\n\"\nCole,RN,x\n", "line 4: 3 fields"},
        {"name,position\nBaker,\"Charge\nNurse\"\n", "line 2: position \"Charge"},
        {"name\nChen \xE9\x99\x88\n", "line 2: name \"Chen"},
        {"name\n\"Baker\n", "line 2: a quote that is never closed"},
        {"name\nM\xFCller\n", "not UTF-8 text"},
        {"", "line 1: no header"},
    };
    const QByteArray before = digest(ward);
    for (const Case& c : cases) {
        ASSERT_EQ(write("staff.csv", c.csv), 0);
        const ToolRun r = tool({"import-staff", ward, dir.filePath(QStringLiteral("staff.csv"))});
        EXPECT_EQ(r.status, 1) << c.csv;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_EQ(digest(ward), before) << c.csv;
    }
}
