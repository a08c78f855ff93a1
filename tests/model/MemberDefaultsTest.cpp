#include "model/schedule/MemberDefaults.h"
#include "model/records/EmployeeTable.h"
#include "model/records/ExplanationTable.h"
#include "model/records/QueryRecord.h"
#include "model/records/ShiftRecord.h"
#include "model/records/ViewFormat.h"
#include "model/schedule/Presets.h"
#include "support/HandBytes.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

std::span<const std::uint8_t> span(const QByteArray& b) {
    return {reinterpret_cast<const std::uint8_t*>(b.constData()),
            static_cast<std::size_t>(b.size())};
}

} // namespace

// A day file too short to hold one record is replaced by blank days, not
// extended behind its stray bytes.
TEST(MemberDefaults, APartialDayRecordBecomesBlankDays) {
    TempWorkingDir w;
    w.write(Member::Days, QByteArray(700, '\x5A'));
    ASSERT_TRUE(createMissingMembers(w.path(), 3).ok);
    EXPECT_EQ(w.read(Member::Days), QByteArray(3 * 1200, '\0'));
}

TEST(MemberDefaults, AnEmptyDirectoryBecomesACompleteNewSchedule) {
    TempWorkingDir w;
    const auto result = createMissingMembers(w.path(), 42);
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.modified); // a new day file

    EXPECT_EQ(w.size(Member::Days), 42 * 1200);
    EXPECT_EQ(w.read(Member::Days), QByteArray(42 * 1200, '\0'));
    EXPECT_EQ(w.size(Member::Shifts), 102 * 47);
    EXPECT_EQ(w.size(Member::Employees), 8020);
    EXPECT_EQ(w.size(Member::ViewFormats), 5 * 9185);
    EXPECT_EQ(w.read(Member::Notes), QByteArray(60, ' ')); // one blank note
    EXPECT_EQ(w.size(Member::Explanations), 2574);
    EXPECT_EQ(w.size(Member::Queries), 10 * 502);
    EXPECT_FALSE(QFile::exists(w.member(Member::Settings))); // loaded separately

    for (int n = 1; n <= 99; ++n) {
        EXPECT_TRUE(ShiftRecord::fromBytes(span(w.record(Member::Shifts, n))).isUndefined()) << n;
    }
    const auto off = ShiftRecord::fromBytes(span(w.record(Member::Shifts, 100)));
    EXPECT_EQ(off.description, QStringLiteral("OFF"));
    EXPECT_EQ(off.abbreviation, QStringLiteral("X"));
    EXPECT_EQ(off.colour, 12);
    EXPECT_EQ(ShiftRecord::fromBytes(span(w.record(Member::Shifts, 101))).abbreviation,
              QStringLiteral("+"));
    const auto note = ShiftRecord::fromBytes(span(w.record(Member::Shifts, 102)));
    EXPECT_EQ(note.description, QStringLiteral("See Note"));
    EXPECT_EQ(note.abbreviation, QStringLiteral("*"));
    EXPECT_EQ(note.startTime, 0.0);

    EXPECT_EQ(ExplanationTable::fromBytes(span(w.read(Member::Explanations))),
              ExplanationTable::defaults());
    const QStringList names = {"28 Day", "Weekly", "Daily", "Not Used", "Not Used"};
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(ViewFormat::fromBytes(span(w.record(Member::ViewFormats, n))).name, names[n - 1]);
    }
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(QueryRecord::fromBytes(span(w.record(Member::Queries, n))),
                  QueryRecord::undefined());
    }
}

TEST(MemberDefaults, ExistingMembersAreCompletedNotReplaced) {
    TempWorkingDir w;
    // 99 shifts of the user's own: the three reserved ones are appended.
    ShiftRecord own = ShiftRecord::undefined();
    own.description = QStringLiteral("Early");
    QByteArray shifts;
    for (int n = 1; n <= 99; ++n) {
        const auto image = own.toBytes();
        shifts.append(reinterpret_cast<const char*>(image.data()), 47);
    }
    w.write(Member::Shifts, shifts);
    // Five days already there: no blank days are written.
    w.write(Member::Days, QByteArray(5 * 1200, '\x01'));
    const QByteArray notes = QByteArray(60, 'n') + QByteArray(60, 'm');
    w.write(Member::Notes, notes);

    const auto result = createMissingMembers(w.path(), 42);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(w.size(Member::Days), 5 * 1200);
    EXPECT_EQ(w.read(Member::Notes), notes);
    EXPECT_EQ(w.read(Member::Shifts).left(99 * 47), shifts);
    EXPECT_EQ(w.size(Member::Shifts), 102 * 47);
    EXPECT_EQ(ShiftRecord::fromBytes(span(w.record(Member::Shifts, 100))).description,
              QStringLiteral("OFF"));

    // 102 or more records are kept as they are.
    ShiftRecord mine = ShiftRecord::undefined();
    mine.description = QStringLiteral("Day off");
    QByteArray full = w.read(Member::Shifts).left(99 * 47);
    for (int n = 100; n <= 103; ++n) {
        const auto image = mine.toBytes();
        full.append(reinterpret_cast<const char*>(image.data()), 47);
    }
    w.write(Member::Shifts, full);
    ASSERT_TRUE(createMissingMembers(w.path(), 42).ok);
    EXPECT_EQ(w.read(Member::Shifts), full);
}

TEST(MemberDefaults, ShortFilesGetTheirMissingSlots) {
    TempWorkingDir w;
    w.write(Member::Shifts, QByteArray(10 * 47, '\0'));
    w.write(Member::ViewFormats,
            QByteArray(reinterpret_cast<const char*>(
                           Presets::viewFormat(Presets::ViewPreset::Daily).toBytes().data()),
                       9185));
    w.write(Member::Queries, QByteArray(3 * 502, '\0'));
    ASSERT_TRUE(createMissingMembers(w.path(), 42).ok);
    EXPECT_TRUE(ShiftRecord::fromBytes(span(w.record(Member::Shifts, 11))).isUndefined());
    EXPECT_EQ(w.size(Member::Shifts), 102 * 47);
    EXPECT_EQ(ViewFormat::fromBytes(span(w.record(Member::ViewFormats, 1))).name,
              QStringLiteral("Daily"));
    EXPECT_EQ(ViewFormat::fromBytes(span(w.record(Member::ViewFormats, 2))).name,
              QStringLiteral("Not Used"));
    EXPECT_EQ(w.size(Member::ViewFormats), 5 * 9185);
    EXPECT_EQ(QueryRecord::fromBytes(span(w.record(Member::Queries, 4))), QueryRecord::undefined());
    EXPECT_EQ(w.size(Member::Queries), 10 * 502);
}

TEST(MemberDefaults, EmployeeTableOfAnotherLayoutIsResetKeepingNames) {
    TempWorkingDir w;
    EmployeeTable t;
    t.names[0] = QStringLiteral("Adams");
    t.positions[0] = QStringLiteral("RN");
    t.payRate[0] = 150000;
    t.payType[0] = 1;
    t.thresDay = 12;
    w.write(Member::Days, QByteArray(42 * 1200, '\0')); // only the table can mark it modified
    const auto keep = t.toBytes();
    w.write(Member::Employees, QByteArray(reinterpret_cast<const char*>(keep.data()), 8020));
    auto result = createMissingMembers(w.path(), 42);
    EXPECT_FALSE(result.modified);
    EXPECT_EQ(w.read(Member::Employees),
              QByteArray(reinterpret_cast<const char*>(keep.data()), 8020));

    t.layoutMarker = 0;
    const auto old = t.toBytes();
    w.write(Member::Employees, QByteArray(reinterpret_cast<const char*>(old.data()), 8020));
    result = createMissingMembers(w.path(), 42);
    EXPECT_TRUE(result.modified);
    const EmployeeTable reset = EmployeeTable::fromBytes(span(w.read(Member::Employees)));
    EXPECT_EQ(reset.names[0], QStringLiteral("Adams"));
    EXPECT_EQ(reset.positions[0], QStringLiteral("RN"));
    EXPECT_EQ(reset.layoutMarker, 2);
    EXPECT_EQ(reset.thresDay, 8.0f);
    EXPECT_EQ(reset.payRate[0], 0);
    EXPECT_EQ(reset.payType[0], 0);
}

TEST(Presets, ViewFormatsCarryTheirTableValues) {
    using enum Presets::ViewPreset;
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const ViewFormat day28 = Presets::viewFormat(TwentyEightDay, us);
    EXPECT_EQ(day28.daysOnScreen, 28);
    EXPECT_EQ(day28.rulerDay, 0);
    EXPECT_EQ(day28.rulerDate, 0);
    EXPECT_TRUE(day28.useAbbreviations);
    EXPECT_EQ(day28.fontName, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(day28.fontSize, 8.0f);
    EXPECT_EQ(day28.coverageVisible, 4);
    EXPECT_EQ(day28.reportSetup.title, QStringLiteral("Schedule"));
    EXPECT_EQ(day28.layoutValues[0], 6);
    EXPECT_EQ(day28.cellRows[3].item, 410);
    EXPECT_TRUE(day28.cellRows[3].report);
    EXPECT_TRUE(day28.cellRows[3].tie);
    EXPECT_FALSE(day28.cellRows[3].screen);

    const ViewFormat weekly = Presets::viewFormat(Weekly, us);
    EXPECT_EQ(weekly.daysOnScreen, 7);
    EXPECT_EQ(weekly.rulerDay, 3);
    EXPECT_EQ(weekly.rulerDate, 1); // "mm-dd" where months come first
    EXPECT_EQ(weekly.fontName, QStringLiteral("Small Fonts"));
    EXPECT_EQ(weekly.reportSetup.fontSize, 7.0f);
    EXPECT_EQ(weekly.cellRows[5].item, 1310);
    EXPECT_EQ(
        Presets::viewFormat(Weekly, QLocale(QLocale::English, QLocale::UnitedKingdom)).rulerDate,
        2);
    EXPECT_EQ(Presets::viewFormat(Weekly, QLocale(QLocale::Swedish, QLocale::Sweden)).rulerDate, 2);

    const ViewFormat daily = Presets::viewFormat(Daily, us);
    EXPECT_EQ(daily.daysOnScreen, 1);
    EXPECT_EQ(daily.rulerDate, 3);
    EXPECT_EQ(daily.cellRows[4].item, 310);
    EXPECT_FALSE(daily.cellRows[4].tie);

    for (const ViewFormat& v : {day28, weekly, daily}) {
        EXPECT_TRUE(v.showCellIcon);
        EXPECT_EQ(v.timeFormat, QStringLiteral("h:nna/p"));
        EXPECT_TRUE(v.showTimeOff);
        EXPECT_TRUE(v.reportSetup.useScreenFont);
        EXPECT_EQ(v.reportSetup.fontName, QStringLiteral("Arial"));
        EXPECT_EQ(v.reportSetup.margins, (std::array<std::int16_t, 4>{360, 360, 360, 360}));
        EXPECT_EQ(v.coverageLines[19], CoverageLine::undefined());
    }

    const ViewFormat unused = Presets::unusedViewFormat(us);
    EXPECT_EQ(unused.name, QStringLiteral("Not Used"));
    EXPECT_EQ(unused.coverageVisible, 0);
    EXPECT_EQ(unused.cellRows[0].item, 999);
    EXPECT_FALSE(unused.cellRows[0].tie);
    EXPECT_EQ(unused.cellRows[1].item, 0);
    EXPECT_FALSE(unused.cellRows[2].report);
    EXPECT_EQ(unused.daysOnScreen, 28);
}
