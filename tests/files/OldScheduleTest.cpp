// Conversion of schedules of the previous format: an old group written by hand
// is converted, and the archive is opened the way the program opens it.
#include "OldScheduleSample.h"

#include "files/ScheduleArchive.h"
#include "files/conversion/OldScheduleConversion.h"
#include "files/conversion/OldScheduleRules.h"
#include "model/codec/OleDate.h"
#include "model/schedule/Schedule.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace kalmur {
namespace {

using oldsample::oleDay;
using oldsample::oleTime;
using Verdict = OldScheduleConversion::Verdict;

class OldScheduleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(working()));
        ASSERT_TRUE(QDir().mkpath(dir()));
        // The open schedule's members, which a conversion must not touch.
        oldsample::write(working() + "/KALMUR2.SCH", handbytes::Bytes(1200, 7));
        oldsample::write(working() + "/KALMUR2.SPR", handbytes::Bytes(2396, 9));
    }
    QString working() const { return m_root.path() + "/TEMP.001"; }
    QString dir() const { return m_root.path() + "/old"; }

    // Opens an archive in a working directory of its own, as the program does.
    Schedule& openArchive(const QString& path) {
        const QString wd = m_root.path() + "/TEMP.002";
        EXPECT_TRUE(QDir().mkpath(wd));
        m_archive.emplace(wd);
        EXPECT_TRUE(m_archive->open(ScheduleLocation::fromPath(path)).succeeded());
        m_schedule.emplace(wd);
        EXPECT_TRUE(m_schedule->loadSettings().ok);
        EXPECT_TRUE(m_schedule->openAll());
        return *m_schedule;
    }

    QTemporaryDir m_root;
    std::optional<ScheduleArchive> m_archive;
    std::optional<Schedule> m_schedule;
};

TEST_F(OldScheduleTest, ConvertsEveryFieldOfAHandWrittenOldSchedule) {
    // Each file in its own letter case; the program is given yet another.
    oldsample::writeGroup(dir(),
                          {"Ward.sch", "Ward.SPR", "ward.ssh", "WARD.SEM", "Ward.sno", "ward.SEP"});
    const QMap<QString, QByteArray> workingBefore = oldsample::snapshot(working());
    OldScheduleConversion conversion(working(), dir() + "/WARD.SCH");
    ASSERT_EQ(conversion.archiveLocation().archivePath(), dir() + "/Ward.KMR");
    ASSERT_EQ(conversion.check(false), Verdict::Ready);

    std::vector<std::pair<QString, int>> progress;
    ASSERT_TRUE(conversion.run(
        [&](const QString& step, int percent) { progress.emplace_back(step, percent); }));
    EXPECT_EQ(oldsample::snapshot(working()), workingBefore);

    // The seven steps in order, each from 0 to 100.
    QStringList steps;
    for (std::size_t i = 0; i < progress.size(); ++i) {
        const auto& [step, percent] = progress[i];
        if (steps.isEmpty() || steps.back() != step) {
            steps << step;
            EXPECT_EQ(percent, 0) << step.toStdString();
            EXPECT_TRUE(i == 0 || progress[i - 1].second == 100) << step.toStdString();
        }
    }
    EXPECT_EQ(steps, QStringList({"Clearing Working Files", "Reserving Archive", "Converting Props",
                                  "Converting Names", "Converting Shifts",
                                  "Converting Explanations", "Converting Main"}));
    EXPECT_EQ(progress.back(), std::make_pair(QString("Converting Main"), 100));

    Schedule& s = openArchive(dir() + "/Ward.KMR");
    const ScheduleSettings& set = s.settings();
    EXPECT_EQ(set.startDate, oleDay(1997, 1, 1));
    EXPECT_EQ(set.endDate, oleDay(1997, 3, 31));
    EXPECT_EQ(set.password, "NIGHT");
    EXPECT_EQ(set.weekStart, 2);
    EXPECT_EQ(set.firstShownDay, 3);
    EXPECT_EQ(set.rowOrder[0], 2);
    EXPECT_EQ(set.rowOrder[1], 1);
    EXPECT_EQ(set.rowOrder[2], 3);
    EXPECT_EQ(set.rowOrder[49], 50); // slot 99 does not exist in an old schedule
    EXPECT_EQ(set.rowOrder[50], 51);
    EXPECT_EQ(set.rowOrder[199], 200);
    EXPECT_EQ(set.reserved430, 5);
    EXPECT_EQ(set.pasteOptions, (std::array<bool, 6>{true, false, true, false, true, true}));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(set.reserved2382.data()), 10), "PASTETEXT ");
    EXPECT_EQ(set.reserved2392, 3);
    EXPECT_EQ(set.costSetup.title, "Cost Title");
    EXPECT_EQ(set.calendarSetup.title, "Calendar Title");
    EXPECT_EQ(set.costSetup.fontSize, 12.0f); // the rest are a new file's defaults
    EXPECT_EQ(set.personalSetup.title, "Personal Schedule");
    EXPECT_EQ(set.legendSetup.title, "Legend");

    const auto month = s.readViewFormat(1);
    const auto week = s.readViewFormat(2);
    const auto daily = s.readViewFormat(3);
    ASSERT_TRUE(month && week && daily);
    EXPECT_EQ(month->name, "28 Day");
    EXPECT_EQ(month->reportSetup.title, "Month Title");
    EXPECT_EQ(month->value231, 1);        // the Text at 282 was never written
    EXPECT_EQ(month->coverageVisible, 7); // the value at 524 is not 0
    EXPECT_EQ(month->daysOnScreen, 28);
    EXPECT_EQ(week->name, "Weekly");
    EXPECT_EQ(week->reportSetup.title, "Week Title");
    EXPECT_EQ(week->coverageVisible, 0);
    EXPECT_EQ(daily->name, "Daily");
    EXPECT_EQ(daily->reportSetup.title, "Day Title");
    EXPECT_EQ(s.readViewFormat(4)->name, "Not Used");
    EXPECT_EQ(s.readViewFormat(5)->name, "Not Used");
    for (int q = 1; q <= 10; ++q) {
        EXPECT_EQ(s.readQuery(q), QueryRecord::undefined()) << q;
    }

    const EmployeeTable& emp = s.employees();
    EXPECT_EQ(emp.names[0], "Alice");
    EXPECT_EQ(emp.positions[0], "RN");
    EXPECT_EQ(emp.payRate[0], 125000);
    EXPECT_EQ(emp.names[1], "");
    EXPECT_EQ(emp.positions[1], ""); // a blank name loses its position
    EXPECT_EQ(emp.payRate[1], 99);
    EXPECT_EQ(emp.names[2], "Carol");
    EXPECT_EQ(emp.positions[2], "CNA");
    EXPECT_EQ(emp.payType[2], 1);
    EXPECT_EQ(emp.names[50], "");
    EXPECT_EQ(emp.layoutMarker, 2);
    EXPECT_EQ(emp.thresDay, 9.0f);
    EXPECT_EQ(emp.dayOtFactor, 1.25f);
    EXPECT_EQ(emp.periodDays, 14);
    EXPECT_EQ(emp.thresPeriod, 80.0f);
    EXPECT_EQ(emp.periodOtFactor, 2.0f);

    const auto& day = s.shift(1);
    EXPECT_EQ(day.description, "Day");
    EXPECT_EQ(day.abbreviation, "A");
    EXPECT_EQ(day.startTime, oleTime(7, 0));
    EXPECT_EQ(day.endTime, oleTime(15, 0));
    EXPECT_EQ(day.colour, 9);
    EXPECT_EQ(day.paidLength, 8.0f);
    EXPECT_EQ(day.quickKey, 0);
    EXPECT_EQ(s.shift(2), ShiftRecord::undefined()); // "Undefined" in another case
    EXPECT_EQ(s.shift(3).abbreviation, "C");
    EXPECT_EQ(s.shift(3).paidLength, 8.0f); // overnight
    EXPECT_EQ(s.shift(4).paidLength, 0.0f); // ends at midnight: never overnight
    EXPECT_EQ(s.shift(5), ShiftRecord::undefined());
    EXPECT_EQ(s.shift(26).abbreviation, "Z");
    EXPECT_EQ(s.shift(26).paidLength, 0.5f);
    EXPECT_EQ(s.shift(27).description, "Float");
    EXPECT_EQ(s.shift(27).abbreviation, "1");
    EXPECT_EQ(s.shift(27).paidLength, 4.0f);
    EXPECT_EQ(s.shift(28), ShiftRecord::undefined()); // past the end of the short file
    EXPECT_EQ(s.shift(99), ShiftRecord::undefined());
    EXPECT_EQ(s.shift(100).abbreviation, "X");
    EXPECT_EQ(s.shift(100).colour, 12);
    EXPECT_EQ(s.shift(101).description, "On Call");
    EXPECT_EQ(s.shift(102).abbreviation, "*");

    const ExplanationTable& ex = s.explanations();
    EXPECT_EQ(ex.description(1), "Sick");
    EXPECT_EQ(ex.abbreviation(1), "a");
    EXPECT_TRUE(ex.isUndefined(2));
    EXPECT_EQ(ex.abbreviation(2), "");
    EXPECT_EQ(ex.abbreviation(3), "c");
    EXPECT_EQ(ex.abbreviation(20), "t");
    EXPECT_TRUE(ex.isUndefined(4));
    EXPECT_TRUE(ex.isUndefined(99));
    EXPECT_EQ(ex.quickKeys, (std::array<std::uint8_t, 99>{}));

    // Cells: 90 days, of which the old file holds five.
    EXPECT_EQ(QFileInfo(memberPath(s.workingDirectory(), Member::Days)).size(), 90 * 1200);
    const auto d1 = s.readDay(1);
    const auto d2 = s.readDay(2);
    const auto d5 = s.readDay(5);
    ASSERT_TRUE(d1 && d2 && d5);
    // Slot 1 is shown on the blank row: its cells are gone.
    EXPECT_EQ(d1->shift[0], 0);
    EXPECT_EQ(d1->onCall[0], 0);
    EXPECT_EQ(d1->note[0], 0);
    EXPECT_EQ(d1->shift[1], 1);
    EXPECT_EQ(d1->onCall[1], 1);
    EXPECT_EQ(d1->explanation[1], 3);
    EXPECT_EQ(d1->reserved[1], 7);
    EXPECT_EQ(d1->note[1], 1);
    EXPECT_EQ(d1->shift[2], 0); // 40 is no shift of an old schedule
    EXPECT_EQ(d1->note[2], 0);  // the old note was blank
    EXPECT_EQ(d1->shift[3], 100);
    EXPECT_EQ(d1->note[3], 0); // past the end of the old note file
    EXPECT_EQ(d2->shift[1], 27);
    EXPECT_EQ(d2->note[1], 2);
    EXPECT_EQ(d2->shift[2], 0);
    EXPECT_EQ(d2->explanation[2], 2);
    EXPECT_EQ(d2->shift[49], 35);
    EXPECT_EQ(d2->note[49], 0); // detached notes are not carried over
    EXPECT_EQ(d5->note[2], 3);
    EXPECT_EQ(s.readDay(90), DayRecord{});
    // Notes numbered from 1 in day and slot order, with no blank first record.
    EXPECT_EQ(s.noteCount(), 3);
    EXPECT_EQ(s.readNote(1), "Third note");
    EXPECT_EQ(s.readNote(2), "First note");
    EXPECT_EQ(s.readNote(3), "Third note");

    EXPECT_FALSE(QFileInfo::exists(working() + "/.kalmur-convert"));
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files | QDir::Hidden).size(), 7);
}

TEST_F(OldScheduleTest, RefusalsWriteNothingAndNameTheRealFiles) {
    oldsample::writeGroup(dir(),
                          {"ward.sch", "ward.spr", "WARD.SSH", "WARD.SEM", "WARD.SNO", "WARD.SEP"});
    const QString archive = dir() + "/ward.KMR";
    const auto tree = [&] {
        return oldsample::snapshot(m_root.path());
    };

    {
        // An archive of ten bytes holds no schedule yet: no question.
        oldsample::write(archive, handbytes::Bytes(10, 1));
        OldScheduleConversion conversion(working(), dir() + "/ward.sch");
        EXPECT_EQ(conversion.check(false), Verdict::Ready);
    }
    oldsample::write(archive, handbytes::Bytes(11, 1));
    const auto before = tree();
    OldScheduleConversion conversion(working(), dir() + "/ward.sch");
    EXPECT_EQ(conversion.check(false), Verdict::AlreadyExists);
    EXPECT_EQ(conversion.message(Verdict::AlreadyExists),
              archive + " already exists. Do you wish to overwrite this file?");
    EXPECT_EQ(OldScheduleConversion::title(Verdict::AlreadyExists), "Overwrite?");
    EXPECT_EQ(conversion.check(true), Verdict::Ready);
    EXPECT_EQ(tree(), before);

    oldsample::write(dir() + "/ward.spr", handbytes::Bytes(525, 0));
    const auto shortSettings = tree();
    EXPECT_EQ(conversion.check(true), Verdict::NotOldSchedule);
    EXPECT_EQ(conversion.message(Verdict::NotOldSchedule),
              dir() + "/ward.sch is not a valid Kalmur 1.0x file.");
    // Run without the check, it fails in its own step and undoes everything.
    EXPECT_FALSE(conversion.run());
    EXPECT_EQ(tree(), shortSettings);

    ASSERT_TRUE(QFile::remove(archive));
    ASSERT_TRUE(QDir().mkdir(archive));
    oldsample::write(dir() + "/ward.spr", oldsample::settings());
    const auto folder = tree();
    EXPECT_EQ(conversion.check(true), Verdict::CannotCreate);
    EXPECT_EQ(conversion.message(Verdict::CannotCreate), "Cannot create " + archive);
    EXPECT_EQ(OldScheduleConversion::title(Verdict::CannotCreate), "Error");
    EXPECT_FALSE(conversion.run());
    EXPECT_EQ(tree(), folder);
}

TEST_F(OldScheduleTest, AFailureAfterTheArchiveIsReservedLeavesItAsItWas) {
    oldsample::writeGroup(dir());
    const QString archive = dir() + "/WARD.KMR";
    oldsample::write(archive, handbytes::Bytes(64, 3));
    const auto before = oldsample::snapshot(m_root.path());
    // The working directory is gone, so nothing can be built in it.
    OldScheduleConversion conversion(m_root.path() + "/missing", dir() + "/WARD.SCH");
    ASSERT_EQ(conversion.check(true), Verdict::Ready);
    EXPECT_FALSE(conversion.run());
    EXPECT_EQ(oldsample::snapshot(m_root.path()), before);

    // The old settings change between the check and the run: the archive's
    // replacement is begun and then abandoned.
    OldScheduleConversion again(working(), dir() + "/WARD.SCH");
    ASSERT_EQ(again.check(true), Verdict::Ready);
    oldsample::write(dir() + "/WARD.SPR", handbytes::Bytes(600, 0));
    const auto changed = oldsample::snapshot(m_root.path());
    EXPECT_FALSE(again.run());
    EXPECT_EQ(oldsample::snapshot(m_root.path()), changed);
}

TEST_F(OldScheduleTest, OverwritesAnArchiveAndReadsAMissingGroupAsEmpty) {
    // Only the settings file, with an unusable start date: every other old
    // file reads as zeros.
    handbytes::Bytes settings(526, 0);
    handbytes::put64(settings, 0, 0x7ff8000000000000ull); // NaN
    oldsample::write(dir() + "/EMPTY.SPR", settings);
    oldsample::write(dir() + "/EMPTY.KMR", handbytes::Bytes(500, 1));
    OldScheduleConversion conversion(working(), dir() + "/EMPTY.SCH");
    ASSERT_EQ(conversion.check(true), Verdict::Ready);
    ASSERT_TRUE(conversion.run({}, QDate(2027, 5, 1)));

    Schedule& s = openArchive(dir() + "/EMPTY.KMR");
    // Unusable dates are repaired as opening repairs them: 1 January of this
    // year, and an end before the start gives 42 days.
    EXPECT_EQ(s.startDate(), QDate(2027, 1, 1));
    EXPECT_EQ(s.dayCount(), 42);
    EXPECT_EQ(s.settings().rowOrder[0], 1);
    EXPECT_EQ(s.settings().rowOrder[49], 50);
    EXPECT_EQ(s.readViewFormat(1)->coverageVisible, 4);
    EXPECT_EQ(s.employees().names[0], "");
    EXPECT_TRUE(s.shift(1).isUndefined());
    EXPECT_TRUE(s.explanations().isUndefined(1));
    // No notes at all: opening adds the blank first note of a new schedule.
    EXPECT_EQ(s.readDay(1), DayRecord{});
}

TEST(OldScheduleRulesTest, RowOrderBecomesAPermutationOfTheOldSlots) {
    std::array<std::int16_t, 50> old{};
    for (std::size_t r = 0; r < old.size(); ++r) {
        old[r] = static_cast<std::int16_t>(50 - r);
    }
    old[0] = 0;   // no slot
    old[1] = 120; // a slot of the new table only
    old[2] = 1;   // named again by the last row
    const auto order = OldScheduleRules::rowOrder(old);
    EXPECT_EQ(order[0], 48);
    EXPECT_EQ(order[1], 49);
    EXPECT_EQ(order[2], 1);
    EXPECT_EQ(order[3], 47);
    EXPECT_EQ(order[48], 2);
    EXPECT_EQ(order[49], 50);
}

} // namespace
} // namespace kalmur
