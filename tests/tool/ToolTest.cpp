// kalmur-tool's commands, run in process.
#include "support/ToolRunner.h"
#include "tool/ScheduleJson.h"
#include "tool/ToolSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace kalmur;

namespace {

class ToolTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }

    QJsonObject dump(const QString& kmr) {
        const ToolRun r = tool({"dump", kmr});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8()).object();
    }
    QString writeJson(const QString& name, const QJsonObject& o) {
        QFile f(file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(o).toJson());
        return f.fileName();
    }
    void makeNew(const QString& kmr, const char* start = "1997-01-01",
                 const char* end = "1997-03-31") {
        const ToolRun r = tool({"new", kmr, "--start", start, "--end", end});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
    }
};

QJsonObject ward() {
    const char* text = R"({
      "password": "night",
      "weekStart": 2,
      "overtime": {"thresDay": 7.5, "periodDays": 14, "thresPeriod": 75},
      "rows": [{"row": 1, "name": "Adams, Ann", "position": "RN", "payRate": 31.25, "payType": 0},
               {"row": 2, "name": "/ Nights"},
               {"row": 3, "name": "Baker, Bo", "position": "LPN", "payRate": 180, "payType": 1}],
      "shifts": [{"number": 1, "description": "Day", "abbreviation": "D", "start": "07:00",
                  "end": "15:30", "colour": 9, "quickKey": 68, "breakLength": 0.5, "paidLength": 8},
                 {"number": 100, "colour": 4}],
      "explanations": [{"number": 12, "description": "Jury duty", "abbreviation": "l", "quickKey": 174}],
      "viewFormats": [{"number": 4, "name": "Two weeks", "daysOnScreen": 14, "coverageVisible": 2,
                       "cellRows": [{"item": 999, "screen": true, "report": false, "tie": true},
                                    {"item": 120, "screen": true, "report": true, "tie": false},
                                    {"item": 0, "screen": false, "report": false, "tie": false},
                                    {"item": 0, "screen": false, "report": false, "tie": false},
                                    {"item": 0, "screen": false, "report": false, "tie": false},
                                    {"item": 0, "screen": false, "report": false, "tie": false}],
                       "reportSetup": {"title": "Fortnight", "margins": [720, 720, 360, 360]}}],
      "viewFormat": 4,
      "queries": [{"number": 2, "title": "Sick RNs", "ignoreNames": false, "checkByPosition": true,
                   "position": "RN", "ignoreExplanations": false, "explanations": [3],
                   "shifts": [0, 101], "noteText": "flu"}],
      "reportSetups": {"legend": {"title": "Key", "fontSize": 9.5}},
      "pasteOptions": [true, false, true, false, true, false],
      "notes": ["", "Swap with Baker", "Late start"],
      "days": [{"day": 1, "cells": [{"slot": 1, "shift": 1, "note": 2},
                                    {"slot": 3, "onCall": 1, "explanation": 3, "reserved": 7}]},
               {"date": "1997-03-31", "cells": [{"slot": 200, "shift": 100, "note": -3}]}],
      "firstShownDay": 20
    })";
    return QJsonDocument::fromJson(text).object();
}

} // namespace

TEST_F(ToolTest, NewWritesEveryDefaultOfANewFile) {
    makeNew(file("a.kmr"));
    const QJsonObject o = dump(file("a.kmr"));
    EXPECT_EQ(o["start"].toString(), "1997-01-01");
    EXPECT_EQ(o["end"].toString(), "1997-03-31");
    EXPECT_EQ(o["viewFormat"].toInt(), 1);
    EXPECT_EQ(o["password"].toString(), "");
    EXPECT_EQ(o["weekStart"].toInt(), 1);
    EXPECT_EQ(o["rowOrder"].toArray().at(199).toInt(), 200);
    EXPECT_EQ(o["pasteOptions"].toArray(), QJsonArray({true, true, true, true, true, false}));
    EXPECT_EQ(o["overtime"].toObject()["periodOtFactor"].toDouble(), 1.5);
    EXPECT_EQ(o["rows"].toArray().size(), 200);
    const QJsonArray shifts = o["shifts"].toArray();
    ASSERT_EQ(shifts.size(), 102);
    EXPECT_EQ(shifts[0].toObject()["description"].toString(), "undefined");
    EXPECT_EQ(shifts[0].toObject()["start"].toString(), "00:00");
    EXPECT_EQ(shifts[99].toObject()["description"].toString(), "OFF");
    EXPECT_EQ(shifts[99].toObject()["colour"].toInt(), 12);
    EXPECT_EQ(shifts[101].toObject()["abbreviation"].toString(), "*");
    EXPECT_EQ(o["explanations"].toArray()[10].toObject()["description"].toString(), "Other");
    const QJsonArray formats = o["viewFormats"].toArray();
    EXPECT_EQ(formats[0].toObject()["name"].toString(), "28 Day");
    EXPECT_EQ(formats[1].toObject()["rulerDate"].toInt(), 1);
    EXPECT_EQ(formats[4].toObject()["name"].toString(), "Not Used");
    EXPECT_EQ(formats[2].toObject()["reportSetup"].toObject()["title"].toString(), "Daily");
    EXPECT_EQ(o["queries"].toArray()[9].toObject()["title"].toString(), "undefined");
    EXPECT_EQ(o["reportSetups"].toObject()["calendar"].toObject()["options"].toArray()[9], true);
    EXPECT_EQ(o["notes"].toArray(), QJsonArray({""}));
    EXPECT_EQ(o["days"].toArray(), QJsonArray());

    // The default dates: 1 January of this year to 31 December of the next.
    ASSERT_EQ(tool({"new", file("b.kmr")}).status, 0);
    const QJsonObject b = dump(file("b.kmr"));
    const int year = QDate::currentDate().year();
    EXPECT_EQ(b["start"].toString(), QDate(year, 1, 1).toString(Qt::ISODate));
    EXPECT_EQ(b["end"].toString(), QDate(year + 1, 12, 31).toString(Qt::ISODate));
}

TEST_F(ToolTest, ImportAppliesWhatItNamesAndDumpImportDumpIsStable) {
    makeNew(file("ward.kmr"));
    const ToolRun r = tool({"import", file("ward.kmr"), writeJson("ward.json", ward())});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = dump(file("ward.kmr"));

    EXPECT_EQ(o["password"].toString(), "NIGHT"); // passwords are kept in upper case
    const QJsonObject ot = o["overtime"].toObject();
    EXPECT_EQ(ot["thresDay"].toDouble(), 7.5);
    EXPECT_EQ(ot["dayOtFactor"].toDouble(), 1.0); // not named: unchanged
    const QJsonArray rows = o["rows"].toArray();
    EXPECT_EQ(rows[0].toObject()["payRate"].toDouble(), 31.25);
    EXPECT_EQ(rows[1].toObject()["position"].toString(), "");
    EXPECT_EQ(rows[2].toObject()["payType"].toInt(), 1);
    const QJsonObject day = o["shifts"].toArray()[0].toObject();
    EXPECT_EQ(day["end"].toString(), "15:30");
    EXPECT_EQ(day["quickKey"].toInt(), 'D');
    EXPECT_EQ(o["shifts"].toArray()[99].toObject()["description"].toString(), "OFF");
    EXPECT_EQ(o["shifts"].toArray()[99].toObject()["colour"].toInt(), 4);
    EXPECT_EQ(o["viewFormat"].toInt(), 4);
    const QJsonObject fortnight = o["viewFormats"].toArray()[3].toObject();
    EXPECT_EQ(fortnight["daysOnScreen"].toInt(), 14);
    EXPECT_EQ(fortnight["reportSetup"].toObject()["margins"].toArray()[0].toInt(), 720);
    const QJsonObject query = o["queries"].toArray()[1].toObject();
    EXPECT_EQ(query["shifts"].toArray(), QJsonArray({0, 101}));
    EXPECT_EQ(query["noteText"].toString(), "flu");
    EXPECT_EQ(o["reportSetups"].toObject()["legend"].toObject()["fontSize"].toDouble(), 9.5);
    EXPECT_EQ(o["notes"].toArray().size(), 3);
    EXPECT_EQ(o["firstShownDay"].toInt(), 20);
    const QJsonArray days = o["days"].toArray();
    ASSERT_EQ(days.size(), 2);
    EXPECT_EQ(days[1].toObject()["day"].toInt(), 90);
    EXPECT_EQ(days[1].toObject()["cells"].toArray()[0].toObject()["note"].toInt(), -3);
    EXPECT_EQ(days[0].toObject()["cells"].toArray()[1].toObject()["reserved"].toInt(), 7);

    // The whole dump imported into another new file dumps the same.
    makeNew(file("copy.kmr"), "2001-01-01", "2001-12-31");
    ASSERT_EQ(tool({"import", file("copy.kmr"), writeJson("all.json", o)}).status, 0);
    EXPECT_EQ(dump(file("copy.kmr")), o);
    // Into a name that does not exist yet, too.
    ASSERT_EQ(tool({"import", file("fresh.kmr"), file("all.json")}).status, 0);
    EXPECT_EQ(dump(file("fresh.kmr")), o);
}

TEST_F(ToolTest, DumpIsWrittenDayByDayAsTheSameCompactJson) {
    makeNew(file("empty.kmr"));
    makeNew(file("ward.kmr"));
    QJsonObject data = ward();
    data["notes"] = QJsonArray{"", "Swap \"days\":[] with B\u00e4ker", "Late start"};
    ASSERT_EQ(tool({"import", file("ward.kmr"), writeJson("ward.json", data)}).status, 0);
    for (const char* name : {"empty.kmr", "ward.kmr"}) {
        QByteArray streamed;
        {
            ToolSession session; // holds the archive until the end of this block
            ASSERT_EQ(session.open(file(name)), QString());
            int pieces = 0;
            ScheduleJson::writeCompact(session.schedule(), [&](const QByteArray& piece) {
                streamed += piece;
                ++pieces;
            });
            EXPECT_EQ(streamed, QJsonDocument(ScheduleJson::dump(session.schedule()))
                                    .toJson(QJsonDocument::Compact))
                << name;
            EXPECT_GE(pieces, 2) << name;
        }
        // The command prints exactly that, with a line end.
        EXPECT_EQ(tool({"dump", file(name)}).out.toUtf8(), streamed + "\n") << name;
    }
}

TEST_F(ToolTest, NewDatesInAnImportRebuildTheRange) {
    makeNew(file("w.kmr"));
    ASSERT_EQ(tool({"import", file("w.kmr"), writeJson("d.json", ward())}).status, 0);
    QJsonObject later{{"start", "1997-02-01"}, {"end", "1997-04-30"}};
    ASSERT_EQ(tool({"import", file("w.kmr"), writeJson("later.json", later)}).status, 0);
    const QJsonObject o = dump(file("w.kmr"));
    EXPECT_EQ(o["start"].toString(), "1997-02-01");
    const QJsonArray days = o["days"].toArray();
    ASSERT_EQ(days.size(), 1); // 1 January was dropped; 31 March is now day 59
    EXPECT_EQ(days[0].toObject()["day"].toInt(), 59);
    EXPECT_EQ(days[0].toObject()["date"].toString(), "1997-03-31");
    EXPECT_EQ(o["notes"].toArray(), QJsonArray({""})); // the detached note was dropped
}

TEST_F(ToolTest, SetDatesAndInfo) {
    makeNew(file("s.kmr"));
    ASSERT_EQ(tool({"import", file("s.kmr"), writeJson("d.json", ward())}).status, 0);
    ToolRun r = tool({"set-dates", file("s.kmr"), "--start", "1996-12-01", "--end", "1997-03-31"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = dump(file("s.kmr"));
    EXPECT_EQ(o["days"].toArray()[0].toObject()["day"].toInt(), 32);
    EXPECT_EQ(o["days"].toArray()[0].toObject()["date"].toString(), "1997-01-01");

    r = tool({"info", file("s.kmr")});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("1996-12-01 to 1997-03-31 (121 days)")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Named rows:   2 (and 1 dividers)"));
    EXPECT_TRUE(r.out.contains("Shifts:       1 of 99 defined"));
    EXPECT_TRUE(r.out.contains("Explanations: 12 of 99 defined"));
    EXPECT_TRUE(r.out.contains("Notes:        1 in cells"));
    EXPECT_TRUE(r.out.contains("Password:     set"));
}

TEST_F(ToolTest, RefusedInputExitsOneWithTheProgramsMessage) {
    makeNew(file("x.kmr"));
    const QByteArray before = [&] {
        QFile f(file("x.kmr"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    struct Case {
        QStringList args;
        const char* message;
    };
    const QString bad =
        writeJson("bad.json", QJsonObject{{"rows", QJsonArray{QJsonObject{{"row", 201}}}}});
    const QString badType = writeJson(
        "t.json",
        QJsonObject{{"shifts", QJsonArray{QJsonObject{{"number", 1}, {"colour", "red"}}}}});
    const QString badDay = writeJson(
        "day.json", QJsonObject{{"days", QJsonArray{QJsonObject{{"date", "1998-01-01"},
                                                                {"cells", QJsonArray{}}}}}});
    // A mark number past the range of any integer.
    QJsonArray lines{QJsonObject{{"employees", QJsonArray{1e30}}}};
    while (lines.size() < ViewFormat::kCoverageLines) {
        lines.append(QJsonObject{});
    }
    const QString hugeMark =
        writeJson("mark.json",
                  QJsonObject{{"viewFormats",
                               QJsonArray{QJsonObject{{"number", 1}, {"coverageLines", lines}}}}});
    QFile notJson(file("nj.json"));
    notJson.open(QIODevice::WriteOnly);
    notJson.write("{ nope");
    notJson.close();
    const Case cases[] = {
        {{"new", file("y.kmr"), "--start", "1997-01-01", "--end", "1997-02-10"},
         "File must contain at least 42 days."},
        {{"new", file("y.kmr"), "--start", "1997-02-30", "--end", "1997-05-10"},
         "The date entered 1997-02-30 is not a valid date."},
        {{"new", file("y.kmr"), "--start", "1/1/97", "--end", "1997-05-10"},
         "The date entered 1/1/97 is not a valid date."},
        {{"new", file("x.kmr")}, "already exists"},
        {{"new", file("y.txt")},
         "The file selected is not a valid schedule file.  Extension must be .kmr"},
        {{"set-dates", file("x.kmr"), "--start", "1997-01-01", "--end", "2099-01-01"},
         "File must contain at most 32767 days."},
        {{"dump", file("missing.kmr")}, "no such schedule file"},
        {{"import", file("x.kmr"), bad}, "rows[0].row: expected a whole number from 1 to 200"},
        {{"import", file("x.kmr"), badType}, "shifts[0].colour: expected a number"},
        {{"import", file("x.kmr"), badDay}, "days[0].date: Date out of schedule file range."},
        {{"import", file("x.kmr"), file("nj.json")}, "not valid JSON"},
        {{"import", file("x.kmr"), hugeMark},
         "employees: entries must be whole numbers from 1 to 200"},
    };
    for (const Case& c : cases) {
        const ToolRun r = tool(c.args);
        EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    QFile f(file("x.kmr"));
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), before); // nothing refused was saved
    EXPECT_FALSE(QFile::exists(file("y.kmr")));

    QFile damaged(file("damaged.kmr"));
    damaged.open(QIODevice::WriteOnly);
    damaged.write(QByteArray(100, 'z'));
    damaged.close();
    const ToolRun r = tool({"dump", file("damaged.kmr")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("damaged.kmr is not a valid schedule file")) << r.err.toStdString();
}

TEST_F(ToolTest, UsageErrorsExitTwoAndHelpIsOffered) {
    EXPECT_EQ(tool({}).status, 2);
    EXPECT_EQ(tool({"frobnicate"}).status, 2);
    EXPECT_EQ(tool({"dump"}).status, 2);
    EXPECT_EQ(tool({"new", file("a.kmr"), "--colour", "red"}).status, 2);
    EXPECT_EQ(tool({"set-dates", file("a.kmr")}).status, 2);
    for (const char* command : {"new", "dump", "import", "set-dates", "info"}) {
        const ToolRun r = tool({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("usage: kalmur-tool ") + command));
    }
    EXPECT_EQ(tool({"--help"}).status, 0);
}

TEST_F(ToolTest, TheFoldersOfKilledSessionsAreRemovedByTheNext) {
    const QString stale = QDir::tempPath() + QStringLiteral("/kalmur-tool-killed") +
                          QString::number(QCoreApplication::applicationPid());
    const QString running = stale + QStringLiteral("-running");
    for (const QString& folder : {stale, running}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile member(folder + QStringLiteral("/KALMUR2.SCH"));
        ASSERT_TRUE(member.open(QIODevice::WriteOnly));
        QFile lock(folder + QStringLiteral("/SESSION.LOK"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    }
    // A session still running holds its lock.
    const int held =
        ::open(QFile::encodeName(running + QStringLiteral("/SESSION.LOK")).constData(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    makeNew(file("n.kmr"));
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo::exists(running + QStringLiteral("/KALMUR2.SCH")));
    ::close(held);
    QDir(running).removeRecursively();
}
