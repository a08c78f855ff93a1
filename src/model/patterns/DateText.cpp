#include "DateText.h"

#include "TimePattern.h"

#include <array>

namespace kalmur {

namespace {

// Where the day, month and year fields stand in a short date pattern (0, 1, 2).
struct FieldOrder {
    int day = 1;
    int month = 0;
    int year = 2;
};

// Calls visit(letter, runLength) for each run of pattern letters outside the
// single-quoted literals of a Qt date pattern, and literal(c) for other characters.
template <typename Visit, typename Literal>
void scanPattern(QStringView pattern, Visit visit, Literal literal) {
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            qsizetype j = i + 1;
            while (j < pattern.size() && pattern[j] != u'\'') {
                literal(pattern[j++]);
            }
            i = j + 1;
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < pattern.size() && pattern[j] == c) {
                ++j;
            }
            visit(c, j - i);
            i = j;
        } else {
            literal(c);
            ++i;
        }
    }
}

FieldOrder fieldOrder(QStringView pattern) {
    int dayAt = -1;
    int monthAt = -1;
    int yearAt = -1;
    int seen = 0;
    scanPattern(
        pattern,
        [&](QChar letter, qsizetype run) {
            if (letter == u'd' && run <= 2 && dayAt < 0) {
                dayAt = seen++;
            } else if (letter == u'M' && monthAt < 0) {
                monthAt = seen++;
            } else if (letter == u'y' && yearAt < 0) {
                yearAt = seen++;
            }
        },
        [](QChar) {});
    if (dayAt < 0 || monthAt < 0 || yearAt < 0) {
        return {};
    }
    return {dayAt, monthAt, yearAt};
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isEnglish(const QLocale& locale) {
    return locale.language() == QLocale::English;
}

// The literal text after the last field of a date pattern, blanks trimmed: the
// "." of the Hungarian "yyyy. MM. dd.", the year mark of the Bulgarian format.
QString trailingLiteral(QStringView pattern) {
    QString tail;
    scanPattern(
        pattern, [&](QChar, qsizetype) { tail.clear(); }, [&](QChar c) { tail += c; });
    return tail.trimmed();
}

int windowedYear(int twoDigitYear) {
    return twoDigitYear < 30 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

} // namespace

QString shortDatePattern(const QLocale& locale) {
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            // A quoted literal is copied with its quotes.
            qsizetype j = i + 1;
            while (j < pattern.size() && pattern[j] != u'\'') {
                ++j;
            }
            out += pattern.mid(i, j + 1 - i);
            i = j + 1;
        } else if (c == u'y') {
            while (i < pattern.size() && pattern[i] == u'y') {
                ++i;
            }
            out += QLatin1StringView("yyyy");
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

DateOrder shortDateOrder(const QLocale& locale) {
    const FieldOrder order = fieldOrder(shortDatePattern(locale));
    if (order.year == 0) {
        return DateOrder::YearFirst;
    }
    return order.day < order.month ? DateOrder::DayFirst : DateOrder::MonthFirst;
}

QString formatShortDate(QDate date, const QLocale& locale) {
    return date.isValid() ? locale.toString(date, shortDatePattern(locale)) : QString();
}

QString formatLongDate(QDate date, const QLocale& locale) {
    return date.isValid() ? locale.toString(date, QLocale::LongFormat) : QString();
}

std::optional<QDate> readDate(QStringView text, const QLocale& locale) {
    const QString pattern = shortDatePattern(locale);
    QString separators = QStringLiteral("/-.");
    scanPattern(
        pattern, [](QChar, qsizetype) {},
        [&](QChar c) {
            if (!c.isSpace() && !c.isDigit() && !separators.contains(c)) {
                separators += c;
            }
        });

    const QStringView t = text.trimmed();
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (pos < t.size() && t[pos].isSpace()) {
            ++pos;
        }
    };
    std::array<int, 3> values{};
    std::array<qsizetype, 3> widths{};
    for (std::size_t k = 0; k < 3; ++k) {
        if (k > 0) {
            skipBlanks();
            if (pos >= t.size() || !separators.contains(t[pos])) {
                return std::nullopt;
            }
            ++pos;
            skipBlanks();
        }
        const qsizetype start = pos;
        int value = 0;
        while (pos < t.size() && isAsciiDigit(t[pos]) && pos - start < 4) {
            value = value * 10 + (t[pos].unicode() - u'0');
            ++pos;
        }
        if (pos == start || (pos < t.size() && isAsciiDigit(t[pos]))) {
            return std::nullopt; // no digits, or more than four
        }
        values[k] = value;
        widths[k] = pos - start;
    }
    // The format's own text after the last field, as a shown date ends with it.
    if (const QString tail = trailingLiteral(pattern); !tail.isEmpty()) {
        const qsizetype afterFields = pos;
        skipBlanks();
        if (t.mid(pos).startsWith(tail, Qt::CaseInsensitive)) {
            pos += tail.size();
        } else {
            pos = afterFields;
        }
    }
    // A time of day may follow; it is read to be sure it is one, then dropped.
    if (pos < t.size()) {
        if (!t[pos].isSpace() || !readTimeOfDay(t.mid(pos))) {
            return std::nullopt;
        }
    }

    const FieldOrder order = fieldOrder(pattern);
    const auto at = [](int index) {
        return static_cast<std::size_t>(index);
    };
    if (widths[at(order.day)] > 2 || widths[at(order.month)] > 2) {
        return std::nullopt;
    }
    const qsizetype yearWidth = widths[at(order.year)];
    int year = values[at(order.year)];
    if (yearWidth == 2) {
        year = windowedYear(year);
    } else if (yearWidth != 4) {
        return std::nullopt;
    }
    const QDate date(year, values[at(order.month)], values[at(order.day)]);
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

QString weekdayName(int dayOfWeek, NameLength length, const QLocale& locale) {
    if (dayOfWeek < 1 || dayOfWeek > 7) {
        return {};
    }
    const QString full = locale.standaloneDayName(dayOfWeek, QLocale::LongFormat);
    switch (length) {
    case NameLength::Full:
        return full;
    case NameLength::Three:
        return isEnglish(locale) ? full.left(3)
                                 : locale.standaloneDayName(dayOfWeek, QLocale::ShortFormat);
    case NameLength::Two:
        return full.left(2);
    case NameLength::One:
        if (isEnglish(locale)) {
            static constexpr char16_t kLetters[] = u"MTWHFSS";
            return QString(QChar(kLetters[dayOfWeek - 1]));
        }
        return locale.standaloneDayName(dayOfWeek, QLocale::NarrowFormat);
    }
    return {};
}

QString monthName(int month, NameLength length, const QLocale& locale) {
    if (month < 1 || month > 12) {
        return {};
    }
    const QString full = locale.standaloneMonthName(month, QLocale::LongFormat);
    switch (length) {
    case NameLength::Full:
        return full;
    case NameLength::Three:
        return isEnglish(locale) ? full.left(3)
                                 : locale.standaloneMonthName(month, QLocale::ShortFormat);
    case NameLength::Two:
        return full.left(2);
    case NameLength::One:
        return locale.standaloneMonthName(month, QLocale::NarrowFormat);
    }
    return {};
}

void useSystemLocale() {
    const QLocale system = QLocale::system();
    QLocale::setDefault(system.language() == QLocale::C
                            ? QLocale(QLocale::English, QLocale::UnitedStates)
                            : system);
}

} // namespace kalmur
