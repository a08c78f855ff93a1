#include "model/codec/OleDate.h"
#include "model/schedule/DateRangeRebuild.h"
#include "model/schedule/Schedule.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

QDate jan(int day) {
    return QDate(1997, 1, day);
}

struct Fixture {
    TempWorkingDir w;
    Schedule s{w.path()};

    // 1 January to 31 March 1997, the window at day 11, some marked days and notes.
    Fixture() {
        s.loadSettings(QDate(1997, 6, 1));
        s.settings().startDate = OleDate::fromDate(jan(1));
        s.settings().endDate = OleDate::fromDate(QDate(1997, 3, 31));
        s.settings().viewFormatNumber = 2; // seven days
        s.settings().firstShownDay = 10;
        EXPECT_TRUE(s.openAll());
        DayRecord day;
        for (int d = 1; d <= 90; ++d) {
            day.shift[0] = static_cast<std::uint8_t>(d);
            EXPECT_TRUE(s.writeDay(d, day));
        }
    }
    int shiftOnDate(QDate date) const { return s.readDay(s.dayOfDate(date))->shift[0]; }
};

} // namespace

TEST(Rebuild, AnEarlierStartShiftsTheOldDaysAndKeepsTheSameDatesVisible) {
    Fixture f;
    ASSERT_TRUE(f.s.changeDateRange(QDate(1996, 12, 1), QDate(1997, 3, 31)));
    EXPECT_EQ(f.s.dayCount(), 121);
    EXPECT_EQ(f.shiftOnDate(QDate(1996, 12, 15)), 0); // a new blank day
    EXPECT_EQ(f.shiftOnDate(jan(1)), 1);
    EXPECT_EQ(f.shiftOnDate(QDate(1997, 3, 31)), 90);
    EXPECT_EQ(f.s.dateOfDay(f.s.firstShownDay() + 1), jan(11));
    EXPECT_TRUE(f.s.isModified());
    EXPECT_FALSE(QFile::exists(f.w.path() + "/KALMUR2.NCH"));
    EXPECT_FALSE(QFile::exists(f.w.path() + "/KALMUR2.NNO"));
    // The settings on disk already describe the new range.
    const QByteArray settings = f.w.read(Member::Settings);
    EXPECT_EQ(
        OleDate::toDate(ScheduleSettings::fromBytes(
                            {reinterpret_cast<const std::uint8_t*>(settings.constData()), 2396})
                            .startDate),
        QDate(1996, 12, 1));
}

TEST(Rebuild, ShrinkingPastTheFirstVisibleDateResetsItToTheNewStart) {
    Fixture f;
    ASSERT_TRUE(f.s.changeDateRange(QDate(1997, 2, 1), QDate(1997, 3, 20)));
    EXPECT_EQ(f.s.firstShownDay(), 0);
    EXPECT_EQ(f.s.dayCount(), 48);
    EXPECT_EQ(f.shiftOnDate(QDate(1997, 2, 1)), 32);
    EXPECT_EQ(f.w.size(Member::Days), 48 * 1200);
}

TEST(Rebuild, NotesAreCompactedInDayAndSlotOrder) {
    Fixture f;
    // Day 12 slot 5, day 11 slot 9, day 11 slot 2 (window positions 2 and 1).
    ASSERT_TRUE(f.s.writeNote(5, 2, QStringLiteral("third")));
    ASSERT_TRUE(f.s.writeNote(9, 1, QStringLiteral("second")));
    ASSERT_TRUE(f.s.writeNote(2, 1, QStringLiteral("first")));
    ASSERT_TRUE(f.s.writeNote(7, 1, QStringLiteral("detached")));
    ASSERT_TRUE(f.s.writeNote(7, 1, QString())); // now -n
    const int detached = f.s.cell(7, 1).note;
    ASSERT_LT(detached, 0);
    f.s.setNoteNumber(8, 1, 999); // a note the file does not hold
    ASSERT_TRUE(f.s.changeDateRange(jan(1), QDate(1997, 3, 31)));

    EXPECT_EQ(f.s.noteCount(), 3); // no blank first record any more
    EXPECT_EQ(f.s.cell(2, 1).note, 1);
    EXPECT_EQ(f.s.cell(9, 1).note, 2);
    EXPECT_EQ(f.s.cell(5, 2).note, 3);
    EXPECT_EQ(f.s.readNote(1), QStringLiteral("first"));
    EXPECT_EQ(f.s.readNote(3), QStringLiteral("third"));
    EXPECT_EQ(f.s.cell(7, 1).note, detached); // keeps its negative value
    EXPECT_EQ(f.s.cell(8, 1).note, 0);
}

TEST(Rebuild, ARangeWithoutNotesLeavesOneBlankNote) {
    Fixture f;
    ASSERT_TRUE(f.s.writeNote(1, 1, QStringLiteral("dropped with its day")));
    ASSERT_TRUE(f.s.changeDateRange(QDate(1998, 1, 1), QDate(1998, 3, 1)));
    EXPECT_EQ(f.s.noteCount(), 1); // recreated blank by opening
    EXPECT_EQ(f.s.readNote(1), QString());
    EXPECT_EQ(f.shiftOnDate(QDate(1998, 1, 10)), 0);
    EXPECT_EQ(f.s.appendNote(QStringLiteral("n")), 2);
}

TEST(Rebuild, AnInvalidRangeChangesNothing) {
    Fixture f;
    const QByteArray days = f.w.read(Member::Days);
    EXPECT_FALSE(f.s.changeDateRange(jan(10), jan(5)));
    EXPECT_FALSE(f.s.changeDateRange(jan(1), jan(1).addDays(40000)));
    EXPECT_TRUE(f.s.isOpen());
    EXPECT_EQ(f.s.dayCount(), 90);
    f.s.flush();
    EXPECT_EQ(f.w.read(Member::Days), days);
}

// Long ranges are copied in blocks; days and notes must come out the same on
// both sides of every block edge, whichever way the range moves.
TEST(Rebuild, LongRangesKeepEveryDayAndNoteAcrossBlocks) {
    const QDate start(2000, 1, 1);
    constexpr int kOldDays = 1500;
    for (const int shiftBy : {300, -600}) {
        TempWorkingDir w;
        Schedule s{w.path()};
        s.loadSettings(QDate(2000, 6, 1));
        s.settings().startDate = OleDate::fromDate(start);
        s.settings().endDate = OleDate::fromDate(start.addDays(kOldDays - 1));
        ASSERT_TRUE(s.openAll());

        // Shift values tell the old day; notes sit on the days around the
        // block edges and at both ends, in several slots.
        QStringList texts{QString()};
        std::vector<std::vector<std::int16_t>> notes(kOldDays + 1,
                                                     std::vector<std::int16_t>(200, 0));
        for (const int d : {1, 2, 511, 512, 513, 900, 1024, 1025, 1200, 1499, 1500}) {
            for (const int slot : {200, 1, 77}) {
                texts.append(QStringLiteral("note of day %1 slot %2").arg(d).arg(slot));
                notes[d][slot - 1] = static_cast<std::int16_t>(texts.size());
            }
        }
        notes[513][5] = -4;   // detached: dropped, the cell keeps -4
        notes[1024][6] = 999; // the note file holds no such note
        ASSERT_TRUE(s.replaceNotes(texts));
        for (int d = 1; d <= kOldDays; ++d) {
            DayRecord day;
            day.shift[0] = static_cast<std::uint8_t>(d % 250 + 1);
            day.reserved[199] = static_cast<std::uint8_t>(d / 250 + 1);
            std::copy(notes[d].begin(), notes[d].end(), day.note.begin());
            ASSERT_TRUE(s.writeDay(d, day));
        }

        const QDate newStart = start.addDays(shiftBy);
        const QDate newEnd = start.addDays(kOldDays - 1 + 2 * std::abs(shiftBy));
        ASSERT_TRUE(s.changeDateRange(newStart, newEnd)) << shiftBy;
        int expectedNote = 0;
        for (int k = 1; k <= s.dayCount(); ++k) {
            const int old = k + shiftBy;
            const auto day = s.readDay(k);
            ASSERT_TRUE(day);
            if (old < 1 || old > kOldDays) {
                ASSERT_EQ(*day, DayRecord{}) << "new day " << k;
                continue;
            }
            ASSERT_EQ(day->shift[0], old % 250 + 1) << "new day " << k;
            ASSERT_EQ(day->reserved[199], old / 250 + 1) << "new day " << k;
            for (int slot = 1; slot <= 200; ++slot) {
                const std::int16_t was = notes[old][slot - 1];
                const std::int16_t now = day->note[slot - 1];
                if (was > 0 && was <= texts.size()) {
                    ++expectedNote;
                    ASSERT_EQ(now, expectedNote) << "day " << old << " slot " << slot;
                    EXPECT_EQ(s.readNote(now), texts[was - 1]);
                } else {
                    ASSERT_EQ(now, was == 999 ? 0 : was) << "day " << old << " slot " << slot;
                }
            }
        }
        EXPECT_EQ(s.noteCount(), expectedNote);
        EXPECT_GT(expectedNote, 20);
    }
}

TEST(Rebuild, CarriedNotesArePaddedWithSpacesAndKeepTheirOtherBytes) {
    Fixture f;
    ASSERT_TRUE(f.s.writeNote(3, 1, QStringLiteral("x")));
    const int number = f.s.cell(3, 1).note;
    f.s.flush();
    f.s.closeAll();
    // A record written by another program: a byte undefined in Windows-1252
    // and zero bytes instead of spaces after the text.
    QByteArray notes = f.w.read(Member::Notes);
    QByteArray record(60, '\0');
    record.replace(0, 5, QByteArray("a\x81 b\0", 5));
    notes.replace((number - 1) * 60, 60, record);
    f.w.write(Member::Notes, notes);
    ASSERT_TRUE(f.s.openAll());

    ASSERT_TRUE(f.s.changeDateRange(jan(1), QDate(1997, 4, 30)));
    ASSERT_EQ(f.s.noteCount(), 1);
    EXPECT_EQ(f.w.record(Member::Notes, 1), QByteArray("a\x81 b") + QByteArray(56, ' '));
}

// The rebuild straight over member files: an old day file shorter than its
// range (down to a partial last record), ranges that keep none of the old days
// and ranges longer than the new file's blocks. Blank days read as zero bytes,
// the kept bytes move to their new dates, and the progress gives every
// percentage reached, from 0 to 100.
TEST(Rebuild, ShortDayFilesAndBlankDaysGiveExactBytesAndProgress) {
    struct Case {
        int storedBytes; // of the old day file, for the old range 1000..1099
        int newStart;
        int newEnd;
    };
    const Case cases[] = {
        {100 * 1200, 1050, 3000}, {10 * 1200 + 7, 900, 1200}, {0, 990, 1010},
        {5 * 1200, 1200, 2500},   {5 * 1200, 10, 999},        {40 * 1200, 1020, 1030},
        {100 * 1200, 950, 1120}, // all 100 old days kept: more than one block
    };
    for (const Case& c : cases) {
        TempWorkingDir w;
        QByteArray old(c.storedBytes, '\0');
        for (int i = 0; i < old.size(); ++i) {
            // Every field but the note numbers (they need a note file).
            old[i] = i % 1200 < 800 ? static_cast<char>(i % 251 + 1) : '\0';
        }
        w.write(Member::Days, old);
        w.write(Member::Notes, QByteArray());
        std::vector<int> progress;
        ASSERT_TRUE(rebuildDayFiles(w.path(), {1000, 1099, c.newStart, c.newEnd}, [&](int percent) {
            progress.push_back(percent);
        })) << c.newStart;

        QByteArray expected(static_cast<qsizetype>(c.newEnd - c.newStart + 1) * 1200, '\0');
        for (int day = std::max(1000, c.newStart); day <= std::min(1099, c.newEnd); ++day) {
            const qsizetype from = qsizetype(day - 1000) * 1200;
            const QByteArray kept = old.mid(from, 1200);
            expected.replace(qsizetype(day - c.newStart) * 1200, kept.size(), kept);
        }
        EXPECT_EQ(w.read(Member::Days), expected) << c.newStart;
        // 0, each percentage the new days reach in turn, and 100 once more.
        std::vector<int> expectedProgress{0};
        const int total = c.newEnd - c.newStart + 1;
        for (int day = 1; day <= total; ++day) {
            if (day * 100 / total != expectedProgress.back()) {
                expectedProgress.push_back(day * 100 / total);
            }
        }
        expectedProgress.push_back(100);
        EXPECT_EQ(progress, expectedProgress) << c.newStart;
    }
}
