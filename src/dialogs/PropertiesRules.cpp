#include "PropertiesRules.h"

#include "model/codec/Cp1252.h"
#include "model/codec/OleDate.h"
#include "model/patterns/DateText.h"

namespace kalmur::PropertiesRules {

namespace {

bool storable(QChar c) {
    return c.unicode() >= 0x20 && (c == QLatin1Char('?') || encodeCp1252Char(c) != '?');
}

MessageRequest error(QString text) {
    MessageRequest request;
    request.text = std::move(text);
    request.title = QStringLiteral("Error");
    request.icon = MessageIcon::Exclamation;
    return request;
}

} // namespace

FieldVerdict dateField(const QString& text, const QLocale& locale) {
    const auto date = readDate(text, locale);
    // A schedule's dates must also fit the files' date values.
    if (date && OleDate::fromDate(*date) >= OleDate::kMinDay &&
        OleDate::fromDate(*date) <= OleDate::kMaxDay) {
        return FieldVerdict::accept(formatShortDate(*date, locale));
    }
    return FieldVerdict::refuse(error(QStringLiteral("The date entered ") + text +
                                      QStringLiteral(" is not a valid date.")));
}

std::optional<MessageRequest> rangeRefusal(QDate start, QDate end) {
    const qint64 days = start.daysTo(end) + 1;
    if (!start.isValid() || !end.isValid() || days < kMinimumDays) {
        return error(QStringLiteral("File must contain at least %1 days.").arg(kMinimumDays));
    }
    if (days > kMaximumDays) {
        return error(QStringLiteral("File must contain at most %1 days.").arg(kMaximumDays));
    }
    return std::nullopt;
}

QString droppedDays(const DateRange& recorded, const DateRange& chosen, const QLocale& locale) {
    const auto shown = [&](QDate d) {
        return formatShortDate(d, locale);
    };
    const QString to = QStringLiteral(" to ");
    QString list;
    if (chosen.start > recorded.start) {
        const QDate last = chosen.start < recorded.end ? chosen.start.addDays(-1) : recorded.end;
        list = shown(recorded.start) + to + shown(last);
    }
    if (chosen.end < recorded.end && chosen.end > recorded.start) {
        if (!list.isEmpty()) {
            list += QStringLiteral(" and ");
        }
        list += shown(chosen.end.addDays(1)) + to + shown(recorded.end);
    } else if (chosen.end < recorded.start) {
        list = shown(recorded.start) + to + shown(recorded.end);
    }
    return list;
}

MessageRequest removalQuestion(const QString& dropped) {
    MessageRequest request;
    request.text = QStringLiteral("This change will cause information from ") + dropped +
                   QStringLiteral(" to be removed from the file...");
    request.title = QStringLiteral("Please Note...");
    request.icon = MessageIcon::Information;
    request.buttons = MessageButtons::OkCancel;
    request.defaultAnswer = MessageAnswer::Cancel;
    return request;
}

QString storedPassword(const QString& typed) {
    QString result = typed.left(kPasswordLength);
    for (QChar& c : result) {
        const QChar upper = c.toUpper();
        if (storable(upper)) {
            c = upper;
        }
    }
    return result;
}

bool passwordMatches(const QString& typed, const QString& recorded) {
    return storedPassword(typed.trimmed()).trimmed() ==
           storedPassword(recorded.trimmed()).trimmed();
}

bool isStorableText(const QString& text) {
    for (const QChar c : text) {
        if (!storable(c)) {
            return false;
        }
    }
    return true;
}

} // namespace kalmur::PropertiesRules
