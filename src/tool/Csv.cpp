#include "Csv.h"

namespace kalmur::Csv {

QString field(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString line(const QStringList& fields) {
    QString text;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            text += QLatin1Char(',');
        }
        text += field(fields[i]);
    }
    return text + QLatin1Char('\n');
}

Table read(const QString& text) {
    Table table;
    qsizetype i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    const qsizetype n = text.size();
    int lineNumber = 1;
    while (i < n) {
        Record record;
        record.line = lineNumber;
        QString current;
        bool ended = false;
        while (!ended) {
            if (i < n && text[i] == QLatin1Char('"')) {
                // A quoted field runs to the quote that is not doubled.
                ++i;
                bool closed = false;
                while (i < n) {
                    const QChar c = text[i++];
                    if (c == QLatin1Char('"')) {
                        if (i < n && text[i] == QLatin1Char('"')) {
                            current += c;
                            ++i;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    lineNumber += c == QLatin1Char('\n') ? 1 : 0;
                    current += c;
                }
                const bool atEnd =
                    i >= n || text[i] == QLatin1Char(',') || text[i] == QLatin1Char('\n') ||
                    (text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'));
                if (!closed || !atEnd) {
                    table.error = closed ? QStringLiteral("text after a closing quote")
                                         : QStringLiteral("a quote that is never closed");
                    table.errorLine = record.line;
                    return table;
                }
            } else {
                while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\n') &&
                       !(text[i] == QLatin1Char('\r') && i + 1 < n &&
                         text[i + 1] == QLatin1Char('\n'))) {
                    current += text[i++];
                }
            }
            record.fields.append(current);
            current.clear();
            if (i < n && text[i] == QLatin1Char(',')) {
                ++i;
                continue;
            }
            // The end of the record: CR LF, LF or the end of the text.
            if (i < n && text[i] == QLatin1Char('\r')) {
                ++i;
            }
            if (i < n) {
                ++i;
                ++lineNumber;
            }
            ended = true;
        }
        table.records.push_back(std::move(record));
    }
    return table;
}

} // namespace kalmur::Csv
