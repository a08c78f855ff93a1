#include "NumberPattern.h"

#include <QList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace kalmur {

namespace {

// One section of a pattern, reduced to what the display needs.
struct Section {
    QString prefix;          // literals before the first digit or point
    QString suffix;          // every other literal, in order
    int intPlaceholders = 0; // "0" and "#" before the point
    int minIntDigits = 0;    // digits shown even when leading zeros
    bool grouping = false;
    bool hasPoint = false;
    int fracPlaceholders = 0;
    int minFracDigits = 0;  // fraction digits kept even when trailing zeros
    bool hasNumber = false; // any digit placeholder or point at all
};

// Splits at ";" outside quotes and escapes; keeps at most three sections.
QList<QStringView> splitSections(QStringView pattern) {
    QList<QStringView> sections;
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\' && !quoted) {
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u';' && !quoted) {
            sections.append(pattern.mid(start, i - start));
            start = i + 1;
            if (sections.size() == 3) {
                return sections;
            }
        }
    }
    sections.append(pattern.mid(start));
    return sections;
}

Section parseSection(QStringView text) {
    Section s;
    bool seenNumber = false; // a digit placeholder or the point has been seen
    int firstZero = -1;      // index of the first "0" among the integer placeholders
    auto literal = [&](QChar c) {
        if (seenNumber) {
            s.suffix += c;
        } else {
            s.prefix += c;
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            if (i + 1 < text.size()) {
                literal(text[++i]);
            }
        } else if (c == u'"') {
            // A quoted text; an unclosed quote runs to the end of the section.
            for (++i; i < text.size() && text[i] != u'"'; ++i) {
                literal(text[i]);
            }
        } else if (c == u'0' || c == u'#') {
            seenNumber = true;
            if (s.hasPoint) {
                ++s.fracPlaceholders;
                if (c == u'0') {
                    s.minFracDigits = s.fracPlaceholders;
                }
            } else {
                if (c == u'0' && firstZero < 0) {
                    firstZero = s.intPlaceholders;
                }
                ++s.intPlaceholders;
            }
        } else if (c == u'.' && !s.hasPoint) {
            seenNumber = true;
            s.hasPoint = true;
        } else if (c == u',' && s.intPlaceholders > 0 && !s.hasPoint) {
            s.grouping = true;
        } else {
            literal(c);
        }
    }
    s.hasNumber = seenNumber;
    if (firstZero >= 0) {
        s.minIntDigits = s.intPlaceholders - firstZero;
    }
    return s;
}

// The digits of |value| rounded half away from zero to `decimals` decimals, as
// one string N meaning N x 10^-decimals (possibly empty for zero).
std::string roundedDigits(double magnitude, int decimals) {
    // 15 significant digits, correctly rounded and independent of the C locale:
    // "d.dddddddddddddde+XX".
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    const std::string text(buf, written.ptr);
    const auto e = text.find('e');
    if (e == std::string::npos) {
        return {};
    }
    std::string mantissa;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            mantissa += text[i];
        }
    }
    const long exponent = std::strtol(text.c_str() + e + 1, nullptr, 10);
    // Number of digits of N: those before the point plus the kept decimals.
    const long keep = exponent + 1 + decimals;
    if (keep < 0) {
        return {};
    }
    const auto count = static_cast<std::size_t>(keep);
    std::string digits = mantissa.substr(0, std::min(count, mantissa.size()));
    if (digits.size() < count) {
        digits.append(count - digits.size(), '0');
    }
    const char next = count < mantissa.size() ? mantissa[count] : '0';
    if (next >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i - 1];
        }
    }
    return digits;
}

bool allZero(const std::string& digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

QString render(const Section& s, const std::string& digits) {
    if (!s.hasNumber) {
        return s.prefix; // a section of literals only
    }
    const auto decimals = static_cast<std::size_t>(s.fracPlaceholders);
    std::string intPart;
    std::string fracPart;
    if (digits.size() > decimals) {
        intPart = digits.substr(0, digits.size() - decimals);
        fracPart = digits.substr(digits.size() - decimals);
    } else {
        fracPart = std::string(decimals - digits.size(), '0') + digits;
    }
    const auto firstDigit = intPart.find_first_not_of('0');
    intPart = firstDigit == std::string::npos ? std::string() : intPart.substr(firstDigit);
    const auto minInt = static_cast<std::size_t>(s.minIntDigits);
    if (intPart.size() < minInt) {
        intPart.insert(0, minInt - intPart.size(), '0');
    }
    // Every integer digit goes out; thousands marks between groups of three.
    QString out = s.prefix;
    for (std::size_t i = 0; i < intPart.size(); ++i) {
        if (s.grouping && i > 0 && (intPart.size() - i) % 3 == 0) {
            out += u',';
        }
        out += QChar(intPart[i]);
    }
    if (s.hasPoint) {
        out += u'.';
        std::size_t keep = fracPart.size();
        const auto minFrac = static_cast<std::size_t>(s.minFracDigits);
        while (keep > minFrac && fracPart[keep - 1] == '0') {
            --keep;
        }
        out += QString::fromLatin1(fracPart.data(), static_cast<qsizetype>(keep));
    }
    out += s.suffix;
    return out;
}

} // namespace

QString formatNumber(double value, QStringView pattern) {
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
    }
    const QList<QStringView> sections = splitSections(pattern);
    if (sections[0].isEmpty()) {
        // No pattern: the general form.
        return QString::number(value, 'g', 15);
    }
    const bool negative = value < 0;
    const bool ownNegative = negative && sections.size() >= 2 && !sections[1].isEmpty();
    const Section main = parseSection(ownNegative ? sections[1] : sections[0]);
    const std::string digits = roundedDigits(std::fabs(value), main.fracPlaceholders);
    if (allZero(digits)) {
        if (sections.size() >= 3 && !sections[2].isEmpty()) {
            const Section zero = parseSection(sections[2]);
            return render(zero, roundedDigits(0.0, zero.fracPlaceholders));
        }
        const Section first = ownNegative ? parseSection(sections[0]) : main;
        return render(first, roundedDigits(0.0, first.fracPlaceholders));
    }
    const QString shown = render(main, digits);
    return negative && !ownNegative ? u'-' + shown : shown;
}

double leadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() &&
           (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    auto isDigit = [&](qsizetype k) {
        return k < text.size() && text[k] >= u'0' && text[k] <= u'9';
    };
    std::string number;
    bool nonZero = false;
    while (isDigit(i)) {
        nonZero = nonZero || text[i] != u'0';
        number += static_cast<char>(text[i++].unicode());
    }
    const bool hasInteger = !number.empty();
    std::string fraction;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (isDigit(i)) {
            fraction += static_cast<char>(text[i++].unicode());
        }
    }
    if (!hasInteger && fraction.empty()) {
        return 0.0;
    }
    if (!hasInteger) {
        number.push_back('0'); // (assigning "0" trips a false -Wrestrict in GCC 12)
    }
    if (!fraction.empty()) {
        number += '.';
        number += fraction;
    }
    double result = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), result);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large, or so small that it is zero for every use here.
        result = nonZero ? std::numeric_limits<double>::max() : 0.0;
    } else if (error != std::errc()) {
        result = 0.0;
    }
    if (result == 0.0) {
        return 0.0; // never -0
    }
    return negative ? -result : result;
}

QString numberText(double value, int significantDigits) {
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
    }
    const int digits = std::clamp(significantDigits, 1, 17);
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::general, digits);
    QString text = QString::fromLatin1(buf, static_cast<qsizetype>(written.ptr - buf)).toUpper();
    if (text.startsWith(QLatin1String("0."))) {
        text.remove(0, 1);
    }
    return (value < 0 ? u'-' : u' ') + text;
}

} // namespace kalmur
