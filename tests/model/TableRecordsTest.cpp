// Day, shift, employee, explanation and note records against images built by
// hand at the documented offsets.
#include "model/records/DayRecord.h"
#include "model/records/EmployeeTable.h"
#include "model/records/ExplanationTable.h"
#include "model/records/NoteRecord.h"
#include "model/records/QuickKey.h"
#include "model/records/ShiftRecord.h"
#include "support/HandBytes.h"

#include <gtest/gtest.h>

using namespace kalmur;
using namespace handbytes;

TEST(DayRecord, FieldsOfEachSlotLieAtArrayOffsetPlusSlot) {
    Bytes b(1200, 0);
    // Slot 1 and slot 200 at the edges of every array, slot 37 in the middle.
    put8(b, 0, 5);
    put8(b, 199, 100);
    put8(b, 200 + 36, 1);
    put8(b, 400 + 36, 99);
    put8(b, 600 + 199, 0x5A);
    put16(b, 800, 7);
    put16(b, 800 + 2 * 36, -5);
    put16(b, 800 + 2 * 199, 32767);

    const DayRecord day = DayRecord::fromBytes(b);
    EXPECT_EQ(day.shift[0], 5);
    EXPECT_EQ(day.shift[199], 100);
    EXPECT_EQ(day.onCall[36], 1);
    EXPECT_EQ(day.explanation[36], 99);
    EXPECT_EQ(day.reserved[199], 0x5A);
    EXPECT_EQ(day.note[0], 7);
    EXPECT_EQ(day.note[36], -5);
    EXPECT_EQ(day.note[199], 32767);
    EXPECT_EQ(firstDifference(day.toBytes(), b), -1);

    // A detached note counts as none; the reserved byte does not count at all.
    EXPECT_FALSE(day.isEmpty(1));
    EXPECT_FALSE(day.isEmpty(37)); // on call and explanation
    DayRecord blank;
    blank.note[9] = -5;
    blank.reserved[9] = 3;
    EXPECT_TRUE(blank.isEmpty(10));
    EXPECT_TRUE(blank.isEmpty(0));
    EXPECT_TRUE(blank.isEmpty(201));
}

TEST(DayRecord, AShortImageReadsAsZeroPadded) {
    Bytes b(801, 0);
    put8(b, 0, 9);
    put8(b, 800, 0x34); // half of the first note
    const DayRecord day = DayRecord::fromBytes(b);
    EXPECT_EQ(day.shift[0], 9);
    EXPECT_EQ(day.note[0], 0x34);
    EXPECT_EQ(day.note[1], 0);
}

TEST(ShiftRecord, DecodesAndEncodesAtTheDocumentedOffsets) {
    Bytes b(47, 0);
    putText(b, 0, 15, "Day shift");
    putDouble(b, 15, 7.0 / 24.0);
    putDouble(b, 23, 15.5 / 24.0);
    put16(b, 31, 12);
    put8(b, 33, 'D' + 100);
    putText(b, 34, 5, "D7");
    putFloat(b, 39, 0.5f);
    putFloat(b, 43, 8.0f);

    const ShiftRecord s = ShiftRecord::fromBytes(b);
    EXPECT_EQ(s.description, QStringLiteral("Day shift"));
    EXPECT_EQ(s.startTime, 7.0 / 24.0);
    EXPECT_EQ(s.endTime, 15.5 / 24.0);
    EXPECT_EQ(s.colour, 12);
    EXPECT_EQ(s.quickKey, 'D' + 100);
    EXPECT_EQ(s.abbreviation, QStringLiteral("D7"));
    EXPECT_EQ(s.breakLength, 0.5f);
    EXPECT_EQ(s.paidLength, 8.0f);
    EXPECT_EQ(firstDifference(s.toBytes(), b), -1);

    Bytes undefinedImage(47, 0);
    putText(undefinedImage, 0, 15, "undefined");
    putText(undefinedImage, 34, 5, "");
    EXPECT_EQ(firstDifference(ShiftRecord::undefined().toBytes(), undefinedImage), -1);
    EXPECT_TRUE(ShiftRecord::fromBytes(undefinedImage).isUndefined());
}

TEST(EmployeeTable, ArraysAreIndexedByDisplayRow) {
    Bytes b(8020, 0);
    for (std::size_t r = 0; r < 200; ++r) {
        putText(b, 20 * r, 20, "");
        putText(b, 4000 + 10 * r, 10, "");
    }
    putText(b, 0, 20, "Adams, Ann");
    putText(b, 20 * 199, 20, "/ Night staff");
    putText(b, 4000 + 10 * 199, 10, "RN");
    put16(b, 6000, 2);
    putFloat(b, 6002, 10.0f);
    putFloat(b, 6006, 1.25f);
    put16(b, 6010, 14);
    putFloat(b, 6012, 80.0f);
    putFloat(b, 6016, 2.0f);
    put64(b, 6020, 125000);             // row 1: 12.50
    put64(b, 6020 + 8 * 199, 99990000); // row 200: 9,999.00
    put16(b, 7620 + 2 * 199, 1);        // row 200 paid daily

    const EmployeeTable t = EmployeeTable::fromBytes(b);
    EXPECT_EQ(t.names[0], QStringLiteral("Adams, Ann"));
    EXPECT_EQ(t.names[199], QStringLiteral("/ Night staff"));
    EXPECT_EQ(t.names[1], QString());
    EXPECT_EQ(t.positions[199], QStringLiteral("RN"));
    EXPECT_EQ(t.layoutMarker, 2);
    EXPECT_EQ(t.thresDay, 10.0f);
    EXPECT_EQ(t.dayOtFactor, 1.25f);
    EXPECT_EQ(t.periodDays, 14);
    EXPECT_EQ(t.thresPeriod, 80.0f);
    EXPECT_EQ(t.periodOtFactor, 2.0f);
    EXPECT_EQ(t.payRate[0], 125000);
    EXPECT_EQ(t.payRate[199], 99990000);
    EXPECT_EQ(t.payType[199], 1);
    EXPECT_EQ(firstDifference(t.toBytes(), b), -1);
}

TEST(EmployeeTable, DefaultsAndLayoutResetKeepNamesAndPositions) {
    const auto image = EmployeeTable::defaults().toBytes();
    Bytes expected(8020, 0);
    for (std::size_t r = 0; r < 200; ++r) {
        putText(expected, 20 * r, 20, "");
        putText(expected, 4000 + 10 * r, 10, "");
    }
    put16(expected, 6000, 2);
    putFloat(expected, 6002, 8.0f);
    putFloat(expected, 6006, 1.0f);
    put16(expected, 6010, 7);
    putFloat(expected, 6012, 40.0f);
    putFloat(expected, 6016, 1.5f);
    EXPECT_EQ(firstDifference(image, expected), -1);

    EmployeeTable t;
    t.names[3] = QStringLiteral("Baker");
    t.positions[3] = QStringLiteral("LPN");
    t.layoutMarker = 0;
    t.thresDay = 0;
    t.payRate[3] = 5;
    t.payType[3] = 1;
    t.resetLayout();
    EXPECT_EQ(t.names[3], QStringLiteral("Baker"));
    EXPECT_EQ(t.positions[3], QStringLiteral("LPN"));
    EXPECT_EQ(t.layoutMarker, 2);
    EXPECT_EQ(t.thresDay, 8.0f);
    EXPECT_EQ(t.payRate[3], 0);
    EXPECT_EQ(t.payType[3], 0);
}

TEST(ExplanationTable, DefaultTableHasElevenReasonsAndNoQuickKeys) {
    Bytes expected(2574, 0);
    const char* names[] = {"Personal",      "Vacation",          "Sick",     "Temp Leave",
                           "Comp",          "Maternity",         "Military", "Educational",
                           "Corp Function", "At other facility", "Other"};
    for (std::size_t i = 0; i < 99; ++i) {
        putText(expected, 20 * i, 20, i < 11 ? names[i] : "undefined");
        putText(expected, 1980 + 5 * i, 5, i < 11 ? std::string(1, char('a' + i)) : "");
    }
    EXPECT_EQ(firstDifference(ExplanationTable::defaults().toBytes(), expected), -1);

    put8(expected, 2475 + 98, '9' + 100);
    const ExplanationTable t = ExplanationTable::fromBytes(expected);
    EXPECT_EQ(t.descriptions[9], QStringLiteral("At other facility"));
    EXPECT_EQ(t.abbreviations[10], QStringLiteral("k"));
    EXPECT_EQ(t.quickKeys[98], '9' + 100);
    EXPECT_FALSE(t.isUndefined(11));
    EXPECT_TRUE(t.isUndefined(12));
    EXPECT_TRUE(t.isUndefined(0));
    EXPECT_TRUE(t.isUndefined(100));
    EXPECT_EQ(t.description(10), QStringLiteral("At other facility"));
    EXPECT_EQ(t.description(150), QString()); // a damaged cell's number
    EXPECT_EQ(t.abbreviation(0), QString());
    EXPECT_EQ(firstDifference(t.toBytes(), expected), -1);
}

TEST(NoteRecord, SixtyCharactersSpacePadded) {
    Bytes b(60, 0);
    putText(b, 0, 60, "Works late \x93 see charge nurse \x94");
    const NoteRecord n = NoteRecord::fromBytes(b);
    EXPECT_EQ(n.text, QStringLiteral("Works late \u201C see charge nurse \u201D"));
    EXPECT_EQ(firstDifference(n.toBytes(), b), -1);
    EXPECT_EQ(NoteRecord{QString(70, QLatin1Char('x'))}.toBytes()[59], 'x');
}

TEST(QuickKey, LettersAndDigitsWithAndWithoutShift) {
    EXPECT_EQ(QuickKey::encode(QLatin1Char('d'), false), 'D');
    EXPECT_EQ(QuickKey::encode(QLatin1Char('7'), true), '7' + 100);
    EXPECT_EQ(QuickKey::encode(QLatin1Char('-'), false), 0);
    EXPECT_EQ(QuickKey::toText('D'), QStringLiteral("D"));
    EXPECT_EQ(QuickKey::toText('D' + 100), QStringLiteral("SHIFT-D"));
    EXPECT_EQ(QuickKey::toText(0), QString());
    EXPECT_EQ(QuickKey::toText(200), QString()); // not a key
    EXPECT_EQ(QuickKey::toText('a'), QString());
    EXPECT_EQ(QuickKey::fromText(QStringLiteral("shift-q")), 'Q' + 100);
    EXPECT_EQ(QuickKey::fromText(QStringLiteral("5")), '5');
    EXPECT_EQ(QuickKey::fromText(QStringLiteral("F1")), 0);
}
