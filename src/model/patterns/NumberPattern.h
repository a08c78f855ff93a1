#pragma once

#include <QString>
#include <QStringView>

namespace kalmur {

// Number display patterns in the classic Basic style, as every window and report
// of the program writes them:
//
//   "0"   a required digit          "#"   an optional digit
//   "."   the decimal point         ","   thousands grouping (between integer digits)
//   "\x"  the character x itself    "..." a quoted literal text
//   ";"   separates the sections positive;negative;zero
//
// An integer part without any "0" shows nothing for a zero integer ("####.00"
// shows 0.5 as ".50", "###" shows 0 as ""); the decimal point is kept even when
// every fraction digit is optional ("##.##" shows 8 as "8."). Digits are rounded
// half away from zero at the shown decimals, reading the value to 15 significant
// digits as the display of a Double does. A missing or empty negative section
// shows a negative value with the first section and a leading minus; a zero
// section is used for a value that shows as zero ("##0.00;;\-" shows 0 as "-").
// A value that rounds to zero never shows a minus sign.
//
// Literal characters before the first digit are written in front of the number,
// all others after it. The decimal point and the grouping mark are always "."
// and ",", so what is shown reads back through leadingNumber() in any locale.
// NaN and infinities show as "NaN", "Inf" and "-Inf". An empty pattern shows the
// value in general form.
QString formatNumber(double value, QStringView pattern);

// The leading number of a typed text, as Basic's Val reads it: leading blanks
// are skipped, then an optional sign, digits, and an optional "." with more
// digits; the rest of the text is ignored. A text without a leading number reads
// 0 ("12abc" is 12, " 1.5cm" is 1.5, "abc" and "" are 0). The result is always
// finite: a number too large for a double reads as the largest double.
double leadingNumber(QStringView text);

// A number as Basic's Str$ writes it: a leading space for zero and positive
// values or a minus sign, at most significantDigits significant digits (7 for a
// Single), no trailing zeros, no zero before the point of a value below 1, and
// the exponent form for very large or small values (" 12.5", " 8", "-3", " .5",
// " 1E+20").
QString numberText(double value, int significantDigits = 15);

} // namespace kalmur
