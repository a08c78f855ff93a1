#pragma once

// An open schedule of the first quarter of 1997 with the one-day view format
// current, a day shift (7:00 to 15:30, 8 paid hours, colour 9), a training
// shift without times and the abbreviation "c" for explanation 3.

#include "model/codec/OleDate.h"
#include "model/schedule/Schedule.h"
#include "support/TempSchedule.h"

struct OpenSchedule {
    TempWorkingDir w;
    kalmur::Schedule s{w.path()};
    OpenSchedule() {
        s.loadSettings(QDate(1997, 1, 1));
        s.settings().startDate = kalmur::OleDate::fromDate(QDate(1997, 1, 1));
        s.settings().endDate = kalmur::OleDate::fromDate(QDate(1997, 3, 31));
        s.settings().viewFormatNumber = 3; // one day: position 1 is 1 January
        EXPECT_TRUE(s.openAll());
        kalmur::ShiftRecord& day = s.shifts()[0];
        day.description = QStringLiteral("Day shift");
        day.abbreviation = QStringLiteral("D");
        day.startTime = kalmur::OleDate::fromTime(QTime(7, 0));
        day.endTime = kalmur::OleDate::fromTime(QTime(15, 30));
        day.paidLength = 8;
        day.colour = 9;
        kalmur::ShiftRecord& training = s.shifts()[1];
        training.description = QStringLiteral("Training");
        training.abbreviation = QStringLiteral("TR");
        s.explanations().abbreviations[2] = QStringLiteral("c");
    }
};
