#include "TimePattern.h"

namespace kalmur {

namespace {

bool startsWithNoCase(QStringView text, qsizetype at, QLatin1StringView token) {
    return text.mid(at).startsWith(token, Qt::CaseInsensitive);
}

// Length of the 12-hour marker token at `at` ("am/pm" or "a/p"), or 0.
qsizetype markerLength(QStringView pattern, qsizetype at) {
    if (startsWithNoCase(pattern, at, QLatin1StringView("am/pm"))) {
        return 5;
    }
    if (startsWithNoCase(pattern, at, QLatin1StringView("a/p"))) {
        return 3;
    }
    return 0;
}

QString twoDigits(int value) {
    return QString::number(value).rightJustified(2, u'0');
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Reads one to two digits at `pos`; -1 when there is none or more than two.
int readSmallNumber(QStringView text, qsizetype& pos) {
    const qsizetype start = pos;
    int value = 0;
    while (pos < text.size() && isAsciiDigit(text[pos])) {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
        if (pos - start > 2) {
            return -1;
        }
    }
    return pos == start ? -1 : value;
}

} // namespace

QString formatTime(QTime time, QStringView pattern) {
    if (!time.isValid()) {
        return {};
    }
    bool twelveHour = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'\\') {
            ++i;
        } else if (pattern[i] == u'"') {
            while (++i < pattern.size() && pattern[i] != u'"') {
            }
        } else if (markerLength(pattern, i) > 0) {
            twelveHour = true;
            break;
        }
    }
    int hour = time.hour();
    if (twelveHour) {
        hour %= 12;
        if (hour == 0) {
            hour = 12;
        }
    }
    const bool afternoon = time.hour() >= 12;

    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const bool doubled = i + 1 < pattern.size() && pattern[i + 1].toLower() == c.toLower();
        if (c == u'\\') {
            if (i + 1 < pattern.size()) {
                out += pattern[++i];
            }
        } else if (c == u'"') {
            for (++i; i < pattern.size() && pattern[i] != u'"'; ++i) {
                out += pattern[i];
            }
        } else if (const qsizetype length = markerLength(pattern, i); length > 0) {
            // The marker is written in the case of its own letters: "a/p" gives
            // "a", "AM/PM" gives "PM".
            const qsizetype half = length == 5 ? 3 : 2;
            out += pattern.mid(afternoon ? i + half : i, half - 1);
            i += length - 1;
        } else if (c == u'h' || c == u'H') {
            out += doubled ? twoDigits(hour) : QString::number(hour);
            i += doubled ? 1 : 0;
        } else if (c == u'n' || c == u'N' || c == u'm' || c == u'M') {
            out += doubled ? twoDigits(time.minute()) : QString::number(time.minute());
            i += doubled ? 1 : 0;
        } else if (c == u's' || c == u'S') {
            out += doubled ? twoDigits(time.second()) : QString::number(time.second());
            i += doubled ? 1 : 0;
        } else {
            out += c;
        }
    }
    return out;
}

QString editTimeFormat(QStringView viewTimeFormat) {
    return viewTimeFormat.contains(u'a', Qt::CaseInsensitive) ? QStringLiteral("h:nna/p")
                                                              : QStringLiteral("hh:nn");
}

QString normalizeTimeText(QStringView text) {
    QString upper = text.toString().toUpper();
    if (upper.size() < 3 && !upper.contains(u':') && !upper.contains(u'A') &&
        !upper.contains(u'P')) {
        upper += QLatin1StringView(":00");
    }
    return upper;
}

std::optional<QTime> readTimeOfDay(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype pos = 0;
    const int hour = readSmallNumber(t, pos);
    if (hour < 0) {
        return std::nullopt;
    }
    int minute = 0;
    int second = 0;
    bool colon = false;
    if (pos < t.size() && t[pos] == u':') {
        colon = true;
        ++pos;
        minute = readSmallNumber(t, pos);
        if (minute < 0) {
            return std::nullopt;
        }
        if (pos < t.size() && t[pos] == u':') {
            ++pos;
            second = readSmallNumber(t, pos);
            if (second < 0) {
                return std::nullopt;
            }
        }
    }
    while (pos < t.size() && t[pos].isSpace()) {
        ++pos;
    }
    const QString marker = t.mid(pos).toString().toLower();
    const bool am = marker == QLatin1StringView("a") || marker == QLatin1StringView("am");
    const bool pm = marker == QLatin1StringView("p") || marker == QLatin1StringView("pm");
    if (!marker.isEmpty() && !am && !pm) {
        return std::nullopt;
    }
    if (!colon && marker.isEmpty()) {
        return std::nullopt;
    }
    if (minute > 59 || second > 59) {
        return std::nullopt;
    }
    int hour24 = hour;
    if (am || pm) {
        if (hour > 12) {
            return std::nullopt;
        }
        hour24 = hour % 12 + (pm ? 12 : 0);
    } else if (hour > 23) {
        return std::nullopt;
    }
    return QTime(hour24, minute, second);
}

} // namespace kalmur
