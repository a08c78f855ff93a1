#include "QueryRules.h"

#include "model/patterns/DateText.h"
#include "model/records/CoverageLine.h"
#include "model/records/QueryRecord.h"

#include <algorithm>

namespace kalmur::QueryRules {

namespace {

MessageRequest error(QString text) {
    MessageRequest request;
    request.text = std::move(text);
    request.title = QStringLiteral("Error");
    request.icon = MessageIcon::Exclamation;
    return request;
}

} // namespace

QString entry(int number, const QString& title) {
    return QStringLiteral("%1 - ").arg(number, 2, 10, QLatin1Char('0')) + title.trimmed();
}

QStringList entries(const std::array<QString, 10>& titles) {
    QStringList list{kNotesEntry};
    for (std::size_t i = 0; i < titles.size(); ++i) {
        list << entry(static_cast<int>(i) + 1, titles[i]);
    }
    return list;
}

FieldVerdict dateField(DateField field, const QString& text, QDate scheduleStart, QDate scheduleEnd,
                       const QLocale& locale) {
    const auto date = readDate(text, locale);
    if (!date) {
        return FieldVerdict::refuse(error(QStringLiteral("The date entered ") + text +
                                          QStringLiteral(" is not a valid date.")));
    }
    const bool start = field == DateField::Start;
    // A start too early and an end too late only reach past the schedule:
    // they are pulled in. The other way they leave no day to run over.
    if ((start && *date > scheduleEnd) || (!start && *date < scheduleStart)) {
        return FieldVerdict::refuse(error(QStringLiteral("Date out of schedule file range.")));
    }
    return FieldVerdict::accept(
        formatShortDate(std::clamp(*date, scheduleStart, scheduleEnd), locale));
}

std::optional<MessageRequest> runRefusal(QDate start, QDate end) {
    if (end < start) {
        return error(QStringLiteral("EndDate must be greater or equal to StartDate"));
    }
    return std::nullopt;
}

QString defaultTitle(int number) {
    return QStringLiteral("Q%1").arg(number);
}

QueryRecord finished(QueryRecord query, int number) {
    const CoverageLine& c = query.criteria;
    query.noteText = query.noteText.trimmed();
    if (c.title.trimmed() == defaultTitle(number) && c.ignoreNames && c.ignoreExplanations &&
        c.ignoreShifts && query.noteText.isEmpty()) {
        query.criteria.title = CoverageLine::undefined().title;
    }
    return query;
}

} // namespace kalmur::QueryRules
