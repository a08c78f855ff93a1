// The text, number, time and date readers and writers of the patterns layer on
// arbitrary input, with the round trips they promise: a shown number, time or
// date reads back as the value it shows.
//
// Input layout: u8 flags (bit 0: the text is UTF-16, else UTF-8; bits 1-4: the
// locale), f64 value, u32 time of day in milliseconds, i32 day offset from
// 1 January 2000, u8 weekday/month number, then the text. The text is also used
// as a number pattern and as a time pattern.

#include "FuzzInput.h"
#include "ScheduleChecks.h"

#include "model/patterns/DateText.h"
#include "model/patterns/NumberPattern.h"
#include "model/patterns/TimePattern.h"
#include "model/schedule/CellItems.h"

#include <QLocale>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

using namespace kalmur;
using fuzz::broken;

namespace {

// The number patterns the windows and reports use.
constexpr std::array<const char16_t*, 22> kNumberPatterns = {
    u"0",
    u"00",
    u"#",
    u"#0",
    u"###",
    u"####",
    u"#####",
    u"#0.00",
    u"##0.0",
    u"##0.00",
    u"###0.00",
    u"0.00",
    u"####.00",
    u"##.##",
    u"##;;\\-",
    u"##0.00;;\\-",
    u"####0.00;;\\-",
    u"##,##0.00;;\\-",
    u"###,##0.00;;\\-",
    u"#,##0",
    u"0.0000",
    u"",
};

std::vector<QLocale> makeLocales() {
    std::vector<QLocale> list;
    for (const char* name :
         {"en_US", "en_GB", "de_DE", "fr_FR", "fr_CA", "nl_NL", "ja_JP", "zh_CN", "ko_KR", "hu_HU",
          "bg_BG", "sv_SE", "fi_FI", "pl_PL", "ar_EG", "fa_IR"}) {
        list.emplace_back(QString::fromLatin1(name));
    }
    return list;
}

const std::vector<QLocale>& locales() {
    static const std::vector<QLocale> list = makeLocales();
    return list;
}

bool asciiDigits(const QLocale& locale) {
    return locale.zeroDigit() == QLatin1String("0");
}

int decimalsOf(QStringView pattern) {
    const qsizetype point = pattern.indexOf(u'.');
    if (point < 0) {
        return 0;
    }
    int decimals = 0;
    for (qsizetype i = point + 1; i < pattern.size(); ++i) {
        if (pattern[i] == u'0' || pattern[i] == u'#') {
            ++decimals;
        } else {
            break;
        }
    }
    return decimals;
}

// A shown number reads back as the value, rounded to the shown decimals.
void checkNumber(double value, QStringView pattern) {
    const QString shown = formatNumber(value, pattern);
    if (!std::isfinite(value) || std::fabs(value) >= 1e15 || pattern.isEmpty()) {
        return;
    }
    QString plain = shown;
    plain.remove(u',');
    const double back = leadingNumber(plain);
    const double tolerance =
        0.5 * std::pow(10.0, -decimalsOf(pattern)) * (1 + 1e-9) + std::fabs(value) * 1e-14;
    if (std::fabs(back - value) > tolerance) {
        broken("a formatted number reads back as another value",
               QString::number(value, 'g', 17) + QLatin1String(" ") + pattern.toString() +
                   QLatin1String(" -> ") + shown);
    }
}

// A time shown in one of the view formats' patterns reads back as itself, to
// the precision the pattern shows.
void checkTime(QTime time) {
    for (const auto& choice : kTimeFormats) {
        const QString pattern =
            QString::fromLatin1(choice.stored.data(), static_cast<qsizetype>(choice.stored.size()));
        const QString shown = formatTime(time, pattern);
        const bool readable = pattern.contains(u':') || pattern.contains(u'a');
        if (!readable) {
            continue;
        }
        const auto back = readTimeOfDay(shown);
        const QTime expected(time.hour(), pattern.contains(u'n') ? time.minute() : 0);
        if (!back || *back != expected) {
            broken("a formatted time does not read back", pattern + QLatin1String(" -> ") + shown);
        }
    }
    const QString full = formatTime(time, u"hh:nn:ss");
    const auto back = readTimeOfDay(full);
    if (!back || *back != QTime(time.hour(), time.minute(), time.second())) {
        broken("a formatted time with seconds does not read back", full);
    }
}

void checkDate(QDate date, const QLocale& locale) {
    const QString shown = formatShortDate(date, locale);
    if (!asciiDigits(locale)) {
        (void)readDate(shown, locale);
        return;
    }
    const auto back = readDate(shown, locale);
    if (!back || *back != date) {
        broken("a shown date does not read back", locale.name() + QLatin1String(" ") +
                                                      date.toString(Qt::ISODate) +
                                                      QLatin1String(" -> ") + shown);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    (void)locales();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint8_t flags = in.u8();
    const double value = in.f64();
    const std::uint32_t millis =
        static_cast<std::uint32_t>(in.u16()) | (static_cast<std::uint32_t>(in.u16()) << 16);
    const auto dayOffset = static_cast<std::int32_t>(static_cast<std::uint32_t>(in.u16()) |
                                                     (static_cast<std::uint32_t>(in.u16()) << 16));
    const int nameNumber = in.u8();
    const auto rest = in.rest();
    const QString text = (flags & 1) != 0
                             ? QString(reinterpret_cast<const QChar*>(rest.data()),
                                       static_cast<qsizetype>(rest.size() / 2))
                             : QString::fromUtf8(reinterpret_cast<const char*>(rest.data()),
                                                 static_cast<qsizetype>(rest.size()));
    const QLocale& locale = locales()[((flags >> 1) & 0x0F) % locales().size()];

    // Readers of typed text.
    const double typed = leadingNumber(text);
    if (!std::isfinite(typed) || (typed == 0.0 && std::signbit(typed))) {
        broken("leadingNumber gave a value it promises never to give", text);
    }
    for (const QString& candidate : {text, normalizeTimeText(text)}) {
        if (const auto time = readTimeOfDay(candidate)) {
            if (!time->isValid()) {
                broken("readTimeOfDay gave an invalid time", candidate);
            }
            checkTime(*time);
        }
    }
    (void)editTimeFormat(text);
    if (const auto date = readDate(text, locale)) {
        if (!date->isValid()) {
            broken("readDate gave an invalid date", text);
        }
        checkDate(*date, locale);
    }

    // Writers, on values taken from the input and on the typed number.
    for (const char16_t* pattern : kNumberPatterns) {
        checkNumber(value, pattern);
        checkNumber(typed, pattern);
    }
    (void)formatNumber(value, text);
    (void)formatNumber(typed, text);
    (void)numberText(value, 7);
    (void)numberText(value, 15);
    (void)numberText(typed, nameNumber % 20);

    const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(millis % 86400000u));
    checkTime(time);
    (void)formatTime(time, text);

    const QDate date = QDate(2000, 1, 1).addDays(dayOffset % 2900000);
    if (date.isValid() && date.year() >= 100 && date.year() <= 9999) {
        checkDate(date, locale);
        (void)formatLongDate(date, locale);
    }
    (void)weekdayName(nameNumber % 9, static_cast<NameLength>(nameNumber % 4), locale);
    (void)monthName(nameNumber % 14, static_cast<NameLength>(nameNumber % 4), locale);
    return 0;
}
