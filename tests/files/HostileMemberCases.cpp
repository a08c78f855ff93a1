#include "HostileCases.h"

#include "model/codec/OleDate.h"

#include <gtest/gtest.h>

#include <limits>

namespace kalmur::hostile {

namespace {

// A member of the base with one edit.
Make patched(Member member, std::function<void(QByteArray&)> edit) {
    return members([member, edit](Members& m) { edit(m[member]); });
}

Make settings(std::function<void(QByteArray&)> edit) {
    return patched(Member::Settings, edit);
}

// An edit of view format 1, the current one.
Make firstFormat(std::function<void(QByteArray&)> edit) {
    return patched(Member::ViewFormats, edit);
}

QString isoDay(QDate date) {
    return date.toString(Qt::ISODate);
}

} // namespace

std::vector<HostileCase> memberCases() {
    const auto endIs = [](const char* end) {
        return [end](Schedule&, const QJsonObject& json) {
            EXPECT_EQ(json["start"], "1997-01-01");
            EXPECT_EQ(json["end"], end);
        };
    };
    const auto windowIs = [](int length) {
        return [length](Schedule& s, const QJsonObject&) {
            EXPECT_EQ(s.viewFormat().daysOnScreen, length);
            EXPECT_EQ(s.windowLength(), length);
        };
    };
    const auto coverageIs = [](int visible) {
        return [visible](Schedule& s, const QJsonObject&) {
            EXPECT_EQ(s.viewFormat().coverageVisible, visible);
        };
    };
    const auto firstShownIs = [](int first) {
        return [first](Schedule& s, const QJsonObject& json) {
            EXPECT_EQ(s.firstShownDay(), first);
            EXPECT_EQ(json["firstShownDay"], first);
        };
    };
    std::vector<HostileCase> cases = {
        {"row order outside 1..200 and repeated", settings([](QByteArray& b) {
             put16(b, at::rowOrder + 0, 0);
             put16(b, at::rowOrder + 2, 201);
             put16(b, at::rowOrder + 4, -4);
             put16(b, at::rowOrder + 6, 5); // row 5 names slot 5 as well
             put16(b, at::rowOrder + 2 * 199, 32767);
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             QJsonArray expected = identityRowOrder();
             expected[3] = 5; // the first row that names a slot keeps it
             expected[4] = 4; // the rows left over get the unused slots in order
             EXPECT_EQ(json["rowOrder"], expected);
             EXPECT_EQ(s.slotOfRow(4), 5);
         }},
        {"shift codes above 102",
         patched(Member::Days,
                 [](QByteArray& b) {
                     put8(b, at::dayShift + 9, 103);
                     put8(b, 1200 + at::dayShift + 10, 255);
                 }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(cellOf(json, 1, 10)["shift"], 103); // stored as it came
             EXPECT_EQ(cellOf(json, 2, 11)["shift"], 255);
             EXPECT_EQ(s.cell(10, 1).shift, 103);
             EXPECT_TRUE(s.shift(103).isUndefined());
             EXPECT_EQ(s.shiftColour(255), 0);
         }},
        {"explanation numbers above 99",
         patched(Member::Days,
                 [](QByteArray& b) {
                     put8(b, at::dayExplanation + 11, 100);
                     put8(b, at::dayExplanation + 12, 255);
                 }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(cellOf(json, 1, 13)["explanation"], 255);
             EXPECT_EQ(s.explanations().description(s.cell(12, 1).explanation), "");
             EXPECT_EQ(s.explanations().abbreviation(255), "");
         }},
        {"note numbers beyond the note file",
         patched(Member::Days,
                 [](QByteArray& b) {
                     put16(b, at::dayNote + 2 * 13, 4);
                     put16(b, at::dayNote + 2 * 14, 32767);
                     put16(b, at::dayNote + 2 * 15, -32768);
                     put16(b, at::dayNote + 2 * 16, -9);
                 }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(cellOf(json, 1, 15)["note"], 32767);
             EXPECT_EQ(s.readNote(4), "");
             EXPECT_EQ(s.readNote(s.cell(15, 1).note), "");
             EXPECT_EQ(s.readNote(s.cell(16, 1).note), "");
             // A cell whose number points past the note file has no note: a
             // note typed into it takes the next record, not record 32767.
             ASSERT_TRUE(s.writeNote(15, 1, "late"));
             EXPECT_EQ(s.cell(15, 1).note, 4);
             ASSERT_TRUE(s.writeNote(16, 1, "swap"));
             EXPECT_EQ(s.cell(16, 1).note, 5);
             ASSERT_TRUE(s.writeNote(17, 1, ""));
             EXPECT_EQ(s.cell(17, 1).note, -6);
             EXPECT_EQ(s.noteCount(), 6);
             EXPECT_EQ(s.readNote(4), "late");
         }},
        {"on-call marks other than 0 and 1 and reserved bytes set",
         patched(Member::Days,
                 [](QByteArray& b) {
                     put8(b, at::dayOnCall + 0, 255);
                     put8(b, at::dayOnCall + 2, 2);
                     put8(b, 1200 + at::dayOnCall + 3, 128);
                     put8(b, at::dayReserved + 0, 255);
                 }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(cellOf(json, 1, 1)["onCall"], 255); // stored as it came
             EXPECT_EQ(cellOf(json, 2, 4)["onCall"], 128);
             EXPECT_NE(s.cell(3, 1).onCall, 0);
         }},
        {"names of 20 \"/\" characters and names like paths",
         patched(Member::Employees,
                 [](QByteArray& b) {
                     b.replace(at::name(1), 20, QByteArray(20, '/'));
                     b.replace(at::name(2), 20, "../../outside/x.ics ");
                     b.replace(at::name(3), 20, "/../../outside/y    ");
                     b.replace(at::name(4), 20, "C:\\..\\x|*?<>\"       ");
                     b.replace(at::position(1), 10, QByteArray(10, '/'));
                     b.replace(at::position(2), 10, "../../..  ");
                 }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(json["rows"][0]["name"], QString(20, '/'));
             EXPECT_TRUE(s.employees().isDivider(1));
             EXPECT_EQ(json["rows"][1]["name"], "../../outside/x.ics");
             EXPECT_EQ(json["rows"][1]["position"], "../../..");
         }},
        {"view-format number 6", settings([](QByteArray& b) { put16(b, at::viewFormatNumber, 6); }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(json["viewFormat"], 1);
             EXPECT_EQ(s.windowLength(), 28);
         }},
        {"view-format number -300 and week start 9", settings([](QByteArray& b) {
             put16(b, at::viewFormatNumber, -300);
             put16(b, at::weekStart, 9);
         }),
         Outcome::Opens,
         [](Schedule&, const QJsonObject& json) {
             EXPECT_EQ(json["viewFormat"], 1);
             EXPECT_EQ(json["weekStart"], 1);
         }},
        {"days on screen 0", firstFormat([](QByteArray& b) { put16(b, at::daysOnScreen, 0); }),
         Outcome::Opens, windowIs(1)},
        {"days on screen 43", firstFormat([](QByteArray& b) { put16(b, at::daysOnScreen, 43); }),
         Outcome::Opens, windowIs(42)},
        {"days on screen -5", firstFormat([](QByteArray& b) { put16(b, at::daysOnScreen, -5); }),
         Outcome::Opens, windowIs(1)},
        {"visible coverage totals 21",
         firstFormat([](QByteArray& b) { put16(b, at::coverageVisible, 21); }), Outcome::Opens,
         coverageIs(20)},
        {"visible coverage totals -1",
         firstFormat([](QByteArray& b) { put16(b, at::coverageVisible, -1); }), Outcome::Opens,
         coverageIs(0)},
        {"item codes not in the list", firstFormat([](QByteArray& b) {
             put16(b, at::cellRows, 998);
             put16(b, at::cellRows + 12, -1);
             put16(b, at::cellRows + 24, 32767);
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject&) {
             EXPECT_EQ(s.viewFormat().cellRows[0].item, 0);
             EXPECT_EQ(s.viewFormat().cellRows[1].item, 0);
             EXPECT_EQ(s.viewFormat().cellRows[2].item, 0);
             EXPECT_EQ(s.viewFormat().cellRows[3].item, 410); // "28 Day" row 4, untouched
         }},
        {"unknown time format and ruler style", firstFormat([](QByteArray& b) {
             b.replace(at::timeFormat, 15, "zz:zz          ");
             put16(b, at::rulerDay, 7);
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject&) {
             EXPECT_EQ(s.viewFormat().timeFormat, "h:nna/p");
             EXPECT_EQ(s.viewFormat().rulerDay, 3);
         }},
        {"first visible day -7", settings([](QByteArray& b) { put16(b, at::firstShownDay, -7); }),
         Outcome::Opens, firstShownIs(0)},
        {"first visible day 32000",
         settings([](QByteArray& b) { put16(b, at::firstShownDay, 32000); }), Outcome::Opens,
         firstShownIs(kBaseDays - 28)},
        {"end date before the start date",
         settings([](QByteArray& b) { putDouble(b, at::settingsEnd, ole(1996, 12, 1)); }),
         Outcome::Opens, endIs("1997-03-31")}, // as many days as the day file holds
        {"end date before the start date and a short day file", members([](Members& m) {
             putDouble(m[Member::Settings], at::settingsEnd, ole(1996, 12, 1));
             m[Member::Days].truncate(10 * 1200);
         }),
         Outcome::Opens, endIs("1997-02-11")}, // at least 42 days
        {"a start date that is not a number", settings([](QByteArray& b) {
             putDouble(b, at::settingsStart, std::numeric_limits<double>::quiet_NaN());
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             const QDate start(QDate::currentDate().year(), 1, 1);
             EXPECT_EQ(json["start"], isoDay(start));
             EXPECT_EQ(json["end"], isoDay(start.addDays(kBaseDays - 1)));
             EXPECT_EQ(s.dayCount(), kBaseDays);
         }},
        {"a range beyond the day limit",
         settings([](QByteArray& b) { putDouble(b, at::settingsEnd, ole(1997, 1, 1) + 40000); }),
         Outcome::Opens, endIs("1997-03-31")},
        {"a start date with a time of day",
         settings([](QByteArray& b) { putDouble(b, at::settingsStart, ole(1997, 1, 1) + 0.75); }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(json["start"], "1997-01-01");
             EXPECT_EQ(s.settings().startDate, ole(1997, 1, 1));
         }},
        {"numbers that are not finite", members([](Members& m) {
             const float nan = std::numeric_limits<float>::quiet_NaN();
             putFloat(m[Member::ViewFormats], at::fontSize, nan);
             putFloat(m[Member::Shifts], at::shiftBreak, std::numeric_limits<float>::infinity());
             putDouble(m[Member::Shifts], at::shiftStart, std::numeric_limits<double>::infinity());
             putFloat(m[Member::Employees], at::dailyFactor, nan);
         }),
         Outcome::Opens,
         [](Schedule&, const QJsonObject& json) {
             EXPECT_EQ(json["viewFormats"][0]["fontSize"], 0);
             EXPECT_EQ(json["shifts"][0]["breakLength"], 0);
         }},
        {"every member cut to an odd length", members([](Members& m) {
             m[Member::Days] += QByteArray(17, 'U');
             m[Member::Shifts].truncate(101 * 47 + 20);
             m[Member::Employees].truncate(5000);
             m[Member::Notes] += QByteArray(7, 'N');
             m[Member::Explanations].truncate(1000);
             m[Member::ViewFormats].truncate(2 * 9185 + 100);
             m[Member::Queries].truncate(3 * 502 + 1);
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(s.dayCount(), kBaseDays);
             EXPECT_EQ(cellOf(json, 1, 1)["shift"], 1);
             // Short of 102 records: the three reserved shifts are written anew.
             EXPECT_EQ(json["shifts"][0]["description"], "Day");
             EXPECT_EQ(json["shifts"][99]["colour"], 12);
             // Names survive; the overtime block and the costs are reset.
             EXPECT_EQ(json["rows"][0]["name"], "Adams, Ann");
             EXPECT_EQ(json["rows"][0]["payRate"], 0);
             EXPECT_EQ(json["overtime"]["layoutMarker"], 2);
             EXPECT_EQ(json["notes"], baseJson()["notes"]); // the partial record is not a note
             // Less than one record: the default explanations.
             EXPECT_EQ(json["explanations"][11]["description"], "undefined");
             EXPECT_EQ(json["viewFormats"][1]["name"], "Weekly");
             EXPECT_EQ(json["viewFormats"][2]["name"], "Not Used");
             EXPECT_EQ(json["queries"].toArray().size(), 10);
         }},
        {"a settings file of 100 bytes",
         patched(Member::Settings, [](QByteArray& b) { b.truncate(100); }), Outcome::Opens,
         [](Schedule&, const QJsonObject& json) {
             EXPECT_EQ(json["start"], "1997-01-01");
             EXPECT_EQ(json["end"], "1997-03-31");
             EXPECT_EQ(json["rowOrder"], identityRowOrder());
             EXPECT_EQ(json["viewFormat"], 1);
         }},
        {"a day file shorter than the range",
         patched(Member::Days, [](QByteArray& b) { b.truncate(10 * 1200); }), Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(s.dayCount(), kBaseDays);
             EXPECT_EQ(json["days"].toArray().size(), 1);
             EXPECT_EQ(cellOf(json, 1, 2)["explanation"], 3);
         }},
    };
    return cases;
}

} // namespace kalmur::hostile
