#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace kalmur {

// Dates as the program shows and reads them: in the system's short date format,
// always with a four-digit year, so that a shown date reads back as the same
// date in every century.

// The order of day, month and year in the short date format.
enum class DateOrder { MonthFirst, DayFirst, YearFirst };

enum class NameLength { Full, Three, Two, One };

// The locale's short date pattern (Qt pattern letters) with its year widened to
// four digits: en_US "M/d/yy" becomes "M/d/yyyy".
QString shortDatePattern(const QLocale& locale = QLocale());
DateOrder shortDateOrder(const QLocale& locale = QLocale());

// Empty texts for invalid dates.
QString formatShortDate(QDate date, const QLocale& locale = QLocale());
QString formatLongDate(QDate date, const QLocale& locale = QLocale());

// Reads a typed date in the order of the short date format: three fields of
// digits separated by "/", "-", "." or the format's own separator (blanks
// allowed around it), a day and month of one or two digits and a year of two or
// four digits. A two-digit year is read in the window 1930 to 2029 (97 is 1997,
// 29 is 2029, 30 is 1930). The format's own text after its last field may
// follow, as the shown date has it ("2024. 03. 05." in Hungarian). A time of
// day after the date, separated by blanks, is accepted and dropped. Impossible
// dates (2/30/1997, 13/1/97) and every other text are refused.
std::optional<QDate> readDate(QStringView text, const QLocale& locale = QLocale());

// Weekday names; dayOfWeek counts 1 = Monday to 7 = Sunday. Three is the
// locale's abbreviated name, Two the first two letters of the full name, One a
// single letter (in English Thursday is "H", so it differs from Tuesday). Empty
// for a day outside 1 to 7.
QString weekdayName(int dayOfWeek, NameLength length, const QLocale& locale = QLocale());

// Month names (1 = January), in the same lengths; empty outside 1 to 12.
QString monthName(int month, NameLength length, const QLocale& locale = QLocale());

// Makes the system's locale the default for dates and numbers. A system
// without a regional setting (the "C" locale) gets the United States
// conventions (month/day/year), which the schedule files were made with.
void useSystemLocale();

} // namespace kalmur
