// kalmur-tool query over a small hand-made schedule: a table of criteria,
// "[Notes]", the date rules and the refusals.
#include "support/ToolRunner.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// 42 days from 1 January 1997; slots are display rows. Shift 1 "Day", 100
// time off; explanation 2 "Sick".
constexpr const char* kWard = R"({
  "start": "1997-01-01", "end": "1997-02-11",
  "rows": [
    {"row": 1, "name": "Adams, Ann", "position": "RN"},
    {"row": 2, "name": "Baker", "position": "LPN"},
    {"row": 3, "name": "/ Nights"},
    {"row": 4, "name": "Cole \"CJ\"", "position": "rn"}
  ],
  "shifts": [{"number": 1, "description": "Day"}],
  "explanations": [{"number": 2, "description": "Sick"}],
  "notes": ["Swap with Cole", "training", "SWAP back"],
  "days": [
    {"date": "1997-01-01", "cells": [{"slot": 1, "shift": 1}, {"slot": 2, "shift": 1, "note": 1},
                                     {"slot": 3, "shift": 1}]},
    {"date": "1997-01-02", "cells": [{"slot": 1, "shift": 1}, {"slot": 4, "onCall": 1}]},
    {"date": "1997-01-03", "cells": [{"slot": 1, "shift": 100, "explanation": 2},
                                     {"slot": 2, "note": 2}, {"slot": 4, "shift": 1, "note": 3}]},
    {"date": "1997-02-11", "cells": [{"slot": 4, "shift": 1}]}
  ],
  "queries": [
    {"number": 1, "title": "Days", "ignoreNames": true, "ignoreExplanations": true,
     "ignoreShifts": false, "shifts": [1]},
    {"number": 2, "title": "Q2", "ignoreNames": true, "ignoreExplanations": true,
     "ignoreShifts": true},
    {"number": 3, "title": "Swaps", "ignoreNames": true, "ignoreExplanations": true,
     "ignoreShifts": true, "noteText": "swap"},
    {"number": 4, "title": "RN on call", "ignoreNames": false, "checkByPosition": true,
     "position": "RN", "ignoreExplanations": true, "ignoreShifts": false, "shifts": [101]},
    {"number": 5, "title": "Sick, unscheduled", "ignoreNames": false, "employees": [1, 2, 3],
     "ignoreExplanations": false, "explanations": [0, 2], "ignoreShifts": false,
     "shifts": [0, 100]}
  ]
})";

struct QueryToolTest : ::testing::Test {
    QTemporaryDir dir;
    QString ward = dir.filePath(QStringLiteral("ward.kmr"));

    void SetUp() override {
        const QString json = dir.filePath(QStringLiteral("ward.json"));
        QFile f(json);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kWard);
        f.close();
        const ToolRun r = tool({"import", ward, json});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
    }
    ToolRun query(const QStringList& which, const char* start = "1997-01-01",
                  const char* end = "1997-02-11") {
        return tool(
            QStringList{"query", ward} + which +
            QStringList{"--start", QString::fromLatin1(start), "--end", QString::fromLatin1(end)});
    }
};

} // namespace

TEST_F(QueryToolTest, PrintsTheEmployeesFoundWithTheirDays) {
    struct Case {
        QStringList which;
        const char* start;
        const char* end;
        const char* lines; // after the header
    };
    const Case cases[] = {
        {{"--query", "1"},
         "1997-01-01",
         "1997-02-11",
         "1,\"Adams, Ann\",2\n2,Baker,1\n4,\"Cole \"\"CJ\"\"\",2\n"},
        {{"--query", "1"},
         "1997-01-02",
         "1997-01-03",
         "1,\"Adams, Ann\",1\n4,\"Cole \"\"CJ\"\"\",1\n"},
        // Ignoring everything without a note text finds nothing; with one it
        // finds the notes holding it, ignoring case.
        {{"--query", "2"}, "1997-01-01", "1997-02-11", ""},
        {{"--query", "3"}, "1997-01-01", "1997-02-11", "2,Baker,1\n4,\"Cole \"\"CJ\"\"\",1\n"},
        {{"--notes"}, "1997-01-01", "1997-02-11", "2,Baker,2\n4,\"Cole \"\"CJ\"\"\",1\n"},
        {{"--notes"}, "1997-01-04", "1997-02-11", ""},
        // The on-call mark matches a cell on call whatever its shift.
        {{"--query", "4"}, "1997-01-01", "1997-02-11", "4,\"Cole \"\"CJ\"\"\",1\n"},
        // Marked slots 1 to 3 (the divider never counts); explanation 0 is
        // none, shift 0 "Not Scheduled".
        {{"--query", "5"}, "1997-01-01", "1997-01-05", "1,\"Adams, Ann\",3\n2,Baker,4\n"},
        // Dates reaching past the schedule are pulled in.
        {{"--notes"}, "1990-05-01", "2001-01-01", "2,Baker,2\n4,\"Cole \"\"CJ\"\"\",1\n"},
    };
    for (const Case& c : cases) {
        const ToolRun r = query(c.which, c.start, c.end);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("entry,name,days\n") + QString::fromLatin1(c.lines))
            << c.which.join(' ').toStdString() << " " << c.start;
    }
}

TEST_F(QueryToolTest, RefusesWithTheWindowsMessages) {
    struct Case {
        QStringList which;
        const char* start;
        const char* end;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--notes"}, "1997-02-12", "1997-02-20", 1, "Date out of schedule file range."},
        {{"--notes"}, "1996-01-01", "1996-12-31", 1, "Date out of schedule file range."},
        {{"--notes"},
         "1997-01-05",
         "1997-01-04",
         1,
         "EndDate must be greater or equal to StartDate"},
        {{"--notes"},
         "1997-02-30",
         "1997-01-04",
         1,
         "The date entered 1997-02-30 is not a valid date."},
        {{"--query", "11"}, "1997-01-01", "1997-01-04", 1, "saved query number 1 to 10"},
        {{"--query", "1", "--notes"}, "1997-01-01", "1997-01-04", 2, "needs --notes or --query"},
        {{}, "1997-01-01", "1997-01-04", 2, "needs --notes or --query"},
    };
    for (const Case& c : cases) {
        const ToolRun r = query(c.which, c.start, c.end);
        EXPECT_EQ(r.status, c.status) << c.message;
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.message))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
}
