// kalmur-tool print --report query: the query report of a small hand-made
// schedule read back from the PDF, and the refusals of kalmur-tool query.
#include "support/ToolRunner.h"
#include "support/WardSchedule.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// 42 days from 3 February 1997. Adams works three days, has a day off, then
// works two more; Baker's day and "DAY" (another shift with the same
// description in capitals) make one range; Cole is on call with a note.
constexpr const char* kWard = R"({
  "start": "1997-02-03", "end": "1997-03-16",
  "rows": [
    {"row": 1, "name": "Adams", "position": "RN"},
    {"row": 2, "name": "Baker", "position": "RN"},
    {"row": 3, "name": "Cole", "position": "LPN"}
  ],
  "shifts": [{"number": 1, "description": "Day"}, {"number": 2, "description": "DAY"},
             {"number": 101, "description": "On Call"}],
  "notes": ["Covers for Adams"],
  "days": [
    {"date": "1997-02-03", "cells": [{"slot": 1, "shift": 1}, {"slot": 2, "shift": 1}]},
    {"date": "1997-02-04", "cells": [{"slot": 1, "shift": 1}, {"slot": 2, "shift": 2}]},
    {"date": "1997-02-05", "cells": [{"slot": 1, "shift": 1}, {"slot": 3, "onCall": 1, "note": 1}]},
    {"date": "1997-02-07", "cells": [{"slot": 1, "shift": 1}]},
    {"date": "1997-02-08", "cells": [{"slot": 1, "shift": 1}]}
  ],
  "queries": [
    {"number": 1, "title": "Day work", "ignoreNames": true, "ignoreExplanations": true,
     "ignoreShifts": false, "shifts": [1, 2]}
  ]
})";

struct QueryPrintTool : ::testing::Test {
    QTemporaryDir dir;
    QString ward = dir.filePath(QStringLiteral("ward.kmr"));
    QString pdf = dir.filePath(QStringLiteral("query.pdf"));

    void SetUp() override {
        const QString json = dir.filePath(QStringLiteral("ward.json"));
        QFile f(json);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kWard);
        f.close();
        const ToolRun r = tool({"import", ward, json});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
    }
    ToolRun print(const QStringList& args) {
        return tool(QStringList{"print", ward, "--report", "query", "--pdf", pdf} + args);
    }
};

} // namespace

TEST_F(QueryPrintTool, PrintsTheMatchingDaysGroupedIntoRanges) {
    const ToolRun r =
        print({"--query", "1", "--start", "1997-01-01", "--end", "1997-02-28", "--paper", "a4"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString text = pdfText(pdf).simplified();
    if (text.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    // The start is pulled in to the schedule's first day.
    for (const char* expected :
         {"Page: 1", "Day work", "Monday, February 3, 1997 to Friday, February 28, 1997",
          "Adams - 5", "2/3/97 - 2/5/97 Day, 2/7/97 - 2/8/97 Day", "Baker - 2",
          "2/3/97 - 2/4/97 Day"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n"
                                                            << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QLatin1String("Cole")));

    ASSERT_EQ(print({"--notes", "--start", "1997-02-03", "--end", "1997-02-09", "--rows", "3",
                     "--names-only"})
                  .status,
              0);
    const QString notes = pdfText(pdf).simplified();
    EXPECT_TRUE(notes.contains(QLatin1String("Notes")));
    // "[Notes]" prints the days whatever --names-only says, without a count.
    EXPECT_TRUE(notes.contains(QLatin1String("Cole 2/5/97 On Call, Covers for Adams")))
        << notes.toStdString();

    ASSERT_EQ(print({"--query", "1", "--start", "1997-02-03", "--end", "1997-02-09", "--names-only",
                     "--rows", "2-3"})
                  .status,
              0);
    const QString names = pdfText(pdf).simplified();
    EXPECT_TRUE(names.contains(QLatin1String("Baker - 2")));
    EXPECT_FALSE(names.contains(QLatin1String("2/3/97")));
    EXPECT_FALSE(names.contains(QLatin1String("Adams")));
}

TEST_F(QueryPrintTool, RefusesAsTheQueryCommandDoes) {
    struct Case {
        QStringList args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--query", "1", "--start", "1997-02-03"}, 2, "needs --notes or --query"},
        {{"--query", "11", "--start", "1997-02-03", "--end", "1997-02-04"}, 1, "1 to 10"},
        {{"--notes", "--start", "1997-02-30", "--end", "1997-02-04"}, 1, "is not a valid date."},
        {{"--notes", "--start", "1997-01-01", "--end", "1997-01-31"}, 1, "out of schedule file"},
        {{"--notes", "--start", "1997-02-03", "--end", "1997-02-04", "--days", "3"}, 2, "--days"},
    };
    for (const Case& c : cases) {
        const ToolRun r = print(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf));
}
