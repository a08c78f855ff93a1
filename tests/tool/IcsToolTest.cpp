// kalmur-tool export-ics over a small hand-made schedule, every file read back
// with libical's parser: timed, overnight and all-day events in the zone of the
// machine (set by TZ), stable UIDs, file names and the refusals.
#include "export/IcsExport.h"
#include "support/ToolRunner.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <ctime>
#include <map>

namespace {

// A year from 1 January 2026 (summer time starts on 29 March). Display row 1
// shows slot 2 and row 2 slot 1, so UIDs follow slots, file names rows.
constexpr const char* kWard = R"({
  "start": "2026-01-01", "end": "2026-12-31",
  "rows": [
    {"row": 1, "name": "Adams, Ann", "position": "RN"},
    {"row": 2, "name": "Baker/Cole", "position": "LPN"},
    {"row": 3, "name": "/ Nights"}
  ],
  "shifts": [
    {"number": 1, "description": "Day", "start": "07:00", "end": "15:30", "breakLength": 0.5,
     "paidLength": 8},
    {"number": 2, "description": "Night", "start": "22:00", "end": "06:00", "breakLength": 0.5,
     "paidLength": 7.5},
    {"number": 3, "description": "Late", "start": "16:00", "end": "00:00"},
    {"number": 4, "description": "Meeting", "start": "00:00", "end": "00:00"},
    {"number": 100, "description": "Off"},
    {"number": 101, "description": "On Call"},
    {"number": 102, "description": "Note"}
  ],
  "explanations": [{"number": 2, "description": "Sick"}, {"number": 3, "description": "Training"}],
  "notes": ["Bring badge; keys, \"A\" wing", "Call Ann"],
  "days": [
    {"date": "2026-01-05", "cells": [{"slot": 2, "shift": 1, "explanation": 3, "onCall": 1,
                                      "note": 1}, {"slot": 1, "shift": 1}, {"slot": 3, "shift": 1}]},
    {"date": "2026-01-06", "cells": [{"slot": 2, "shift": 100, "explanation": 2}]},
    {"date": "2026-01-07", "cells": [{"slot": 2, "onCall": 1}]},
    {"date": "2026-01-08", "cells": [{"slot": 2, "explanation": 2}]},
    {"date": "2026-01-09", "cells": [{"slot": 2, "note": 2}]},
    {"date": "2026-01-10", "cells": [{"slot": 2, "shift": 4}]},
    {"date": "2026-03-28", "cells": [{"slot": 2, "shift": 2}]},
    {"date": "2026-07-06", "cells": [{"slot": 2, "shift": 3}]}
  ]
})";

struct Event {
    std::string start; // UTC "yyyy-MM-ddTHH:mm" or an all-day "yyyy-MM-dd"
    std::string end;
    std::string summary;
    std::string location;
    std::string description;
    bool operator==(const Event&) const = default;
};
using Events = std::map<std::string, Event>; // by UID

std::string timeText(icaltimetype t) {
    if (t.is_date) {
        return QDate(t.year, t.month, t.day).toString(Qt::ISODate).toStdString();
    }
    const auto utc = icaltime_as_timet_with_zone(t, t.zone);
    return QDateTime::fromSecsSinceEpoch(utc, Qt::UTC)
        .toString(QStringLiteral("yyyy-MM-ddTHH:mm"))
        .toStdString();
}

std::string text(const char* value) {
    return value ? value : "";
}

// The events of a file as libical reads them; fails the test on a file
// libical does not read as one calendar with the VTIMEZONE its times name.
Events readBack(const QString& path, const char* tzid) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    icalcomponent* calendar = icalparser_parse_string(bytes.constData());
    EXPECT_NE(calendar, nullptr);
    Events events;
    if (!calendar) {
        return events;
    }
    icalcomponent* zone = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
    icalproperty* id = zone ? icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY) : nullptr;
    EXPECT_EQ(id ? text(icalproperty_get_tzid(id)) : std::string(), text(tzid));
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const std::string uid = text(icalcomponent_get_uid(e));
        EXPECT_EQ(events.count(uid), 0u) << uid;
        events[uid] = {timeText(icalcomponent_get_dtstart(e)), timeText(icalcomponent_get_dtend(e)),
                       text(icalcomponent_get_summary(e)), text(icalcomponent_get_location(e)),
                       text(icalcomponent_get_description(e))};
    }
    icalcomponent_free(calendar);
    return events;
}

struct IcsToolTest : ::testing::Test {
    QTemporaryDir dir;
    QString ward = dir.filePath(QStringLiteral("ward.kmr"));
    QByteArray savedTz = qgetenv("TZ");

    void SetUp() override {
        setZone("Europe/Berlin");
        QJsonObject data = QJsonDocument::fromJson(kWard).object();
        QJsonArray order;
        for (int slot : {2, 1}) {
            order.append(slot);
        }
        for (int slot = 3; slot <= 200; ++slot) {
            order.append(slot);
        }
        data.insert(QStringLiteral("rowOrder"), order);
        const QString json = dir.filePath(QStringLiteral("ward.json"));
        QFile f(json);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(data).toJson());
        f.close();
        const ToolRun r = tool({"import", ward, json});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
    }
    void TearDown() override { setZone(savedTz.constData()); }
    static void setZone(const char* zone) {
        qputenv("TZ", zone);
        tzset();
    }
    ToolRun exportIcs(const QString& out, const QStringList& more = {}) {
        return tool(QStringList{"export-ics", ward, "--out", out} + more);
    }
};

TEST_F(IcsToolTest, WritesTimedOvernightAndAllDayEventsInTheMachinesZone) {
    const QString out = dir.filePath(QStringLiteral("phones"));
    const ToolRun r = exportIcs(out, {"--start", "2026-01-01", "--days", "365"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    // One file per named row, named after the row; the divider is left out.
    EXPECT_EQ(r.out, out + "/001-Adams, Ann.ics\n" + out + "/002-Baker_Cole.ics\n");
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 2);

    const std::string day = "Break: 0.50\nPaid hours: 8.00";
    const Events expected = {
        // 07:00 in Berlin's winter is 06:00 UTC.
        {"20260105-002-ward.kmr@kalmur-pro",
         {"2026-01-05T06:00", "2026-01-05T14:30", "Day - Training", "RN",
          day + "\nOn Call\nBring badge; keys, \"A\" wing"}},
        {"20260106-002-ward.kmr@kalmur-pro", {"2026-01-06", "2026-01-07", "Off - Sick", "RN", ""}},
        {"20260107-002-ward.kmr@kalmur-pro", {"2026-01-07", "2026-01-08", "On Call", "RN", ""}},
        {"20260108-002-ward.kmr@kalmur-pro", {"2026-01-08", "2026-01-09", "Sick", "RN", ""}},
        {"20260109-002-ward.kmr@kalmur-pro",
         {"2026-01-09", "2026-01-10", "Note", "RN", "Call Ann"}},
        {"20260110-002-ward.kmr@kalmur-pro", {"2026-01-10", "2026-01-11", "Meeting", "RN", ""}},
        // Overnight into the first day of summer time: 22:00 CET to 06:00 CEST.
        {"20260328-002-ward.kmr@kalmur-pro",
         {"2026-03-28T21:00", "2026-03-29T04:00", "Night", "RN", "Break: 0.50\nPaid hours: 7.50"}},
        // Ending at midnight is the next day's midnight.
        {"20260706-002-ward.kmr@kalmur-pro",
         {"2026-07-06T14:00", "2026-07-06T22:00", "Late", "RN", "Break: 0.00\nPaid hours: 0.00"}},
    };
    EXPECT_EQ(readBack(out + "/001-Adams, Ann.ics", "Europe/Berlin"), expected);
    const Events other = readBack(out + "/002-Baker_Cole.ics", "Europe/Berlin");
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other.begin()->first, "20260105-001-ward.kmr@kalmur-pro");
    EXPECT_EQ(other.begin()->second.location, "LPN");
}

TEST_F(IcsToolTest, KeepsUidsAcrossExportsAndWritesUtcWhereTheZoneHasNoRules) {
    const QString first = dir.filePath(QStringLiteral("first"));
    const QString second = dir.filePath(QStringLiteral("second"));
    ASSERT_EQ(exportIcs(first, {"--start", "2026-01-05", "--days", "3"}).status, 0);
    // A later export of an overlapping run, on a machine in UTC.
    setZone("UTC");
    const ToolRun r = exportIcs(second, {"--start", "2026-01-06", "--days", "30", "--rows", "1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, second + "/001-Adams, Ann.ics\n");

    const Events before = readBack(first + "/001-Adams, Ann.ics", "Europe/Berlin");
    const Events after = readBack(second + "/001-Adams, Ann.ics", nullptr);
    EXPECT_EQ(before.size(), 3u);
    EXPECT_EQ(after.size(), 5u);
    for (const char* uid :
         {"20260106-002-ward.kmr@kalmur-pro", "20260107-002-ward.kmr@kalmur-pro"}) {
        ASSERT_TRUE(before.count(uid) && after.count(uid)) << uid;
        EXPECT_EQ(before.at(uid), after.at(uid));
    }
    // In UTC the day shift of the first export is at 07:00 UTC.
    ASSERT_EQ(exportIcs(second, {"--start", "2026-01-05", "--days", "1"}).status, 0);
    EXPECT_EQ(readBack(second + "/001-Adams, Ann.ics", nullptr)
                  .at("20260105-002-ward.kmr@kalmur-pro")
                  .start,
              "2026-01-05T07:00");
}

TEST_F(IcsToolTest, RefusesRunsOutsideTheScheduleAndBadArguments) {
    struct Case {
        QStringList args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--start", "2025-12-31", "--days", "2"}, 1, "Date out of schedule file range"},
        {{"--start", "2026-12-31", "--days", "2"}, 1, "Date out of schedule file range"},
        {{"--start", "2026-02-30", "--days", "2"}, 1, "is not a valid date."},
        {{"--start", "2026-01-01", "--days", "0"}, 1, "--days must be a whole number"},
        {{"--start", "2026-01-01", "--days", "2", "--rows", "3"}, 1, "No employee with a name"},
        {{"--start", "2026-01-01", "--days", "2", "--rows", "0-4"}, 2, "--rows takes"},
        {{"--start", "2026-01-01"}, 2, "export-ics needs --start, --days and --out"},
    };
    const QString out = dir.filePath(QStringLiteral("refused"));
    for (const Case& c : cases) {
        const ToolRun r = exportIcs(out, c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(IcsFileName, NumbersTheRowAndReplacesWhatFileNamesCannotHold) {
    EXPECT_EQ(kalmur::icsFileName(7, QStringLiteral(" O'Neil, Jo ")),
              QStringLiteral("007-O'Neil, Jo.ics"));
    EXPECT_EQ(kalmur::icsFileName(200, QStringLiteral("a/b\\c:d*e?f\"g<h>i|j\tk")),
              QStringLiteral("200-a_b_c_d_e_f_g_h_i_j_k.ics"));
    EXPECT_EQ(kalmur::icsFileName(12, QStringLiteral("Zoë")), QStringLiteral("012-Zoë.ics"));
}

} // namespace
