#include "ShiftRules.h"

#include "model/patterns/NumberPattern.h"
#include "model/patterns/TimePattern.h"
#include "model/records/ShiftRecord.h"

namespace kalmur::ShiftRules {

std::array<int, ShiftRecord::kCount> listOrder() {
    std::array<int, ShiftRecord::kCount> order{};
    order[0] = ShiftRecord::kOff;
    order[1] = ShiftRecord::kOnCall;
    order[2] = ShiftRecord::kNoteMark;
    for (int n = 1; n <= ShiftRecord::kUserShifts; ++n) {
        order[static_cast<std::size_t>(n + 2)] = n;
    }
    return order;
}

QString label(int number) {
    switch (number) {
    case ShiftRecord::kOff:
        return QStringLiteral("Timeoff");
    case ShiftRecord::kOnCall:
        return QStringLiteral("On Call");
    case ShiftRecord::kNoteMark:
        return QStringLiteral("Note");
    default:
        return QStringLiteral("Shift ") + QString::number(number);
    }
}

QString entryText(int number, const QString& description) {
    return label(number) + QLatin1Char('\t') + description.trimmed();
}

bool isUserShift(int number) {
    return number >= 1 && number <= ShiftRecord::kUserShifts;
}

float paidLength(QTime start, QTime end, double breakLength) {
    return ShiftRecord::paidLengthOf(start, end, breakLength);
}

MessageRequest invalidTime() {
    return {QStringLiteral("Invalid Time Entered"), QStringLiteral("Error"),
            MessageIcon::Exclamation, MessageButtons::Ok, std::nullopt};
}

std::optional<QTime> timeOfText(const QString& text) {
    return readTimeOfDay(normalizeTimeText(text));
}

FieldVerdict timeField(const QString& text, const QString& editFormat) {
    const auto time = timeOfText(text);
    if (!time) {
        return FieldVerdict::refuse(invalidTime());
    }
    return FieldVerdict::accept(formatTime(*time, editFormat));
}

bool isNumber(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype pos = 0;
    if (pos < t.size() && (t[pos] == u'+' || t[pos] == u'-')) {
        ++pos;
    }
    int digits = 0;
    bool point = false;
    for (; pos < t.size(); ++pos) {
        if (t[pos] >= u'0' && t[pos] <= u'9') {
            ++digits;
        } else if (t[pos] == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

QString breakLengthText(const QString& text) {
    if (!isNumber(text)) {
        return text;
    }
    return formatNumber(leadingNumber(text), u"#0.00");
}

} // namespace kalmur::ShiftRules
