#pragma once

// Readable failure messages for the Qt values these tests compare.
#include <QDate>
#include <QString>
#include <QTime>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(QDate date, std::ostream* os) {
    *os << (date.isValid() ? date.toString(Qt::ISODate).toStdString() : "invalid date");
}

inline void PrintTo(QTime time, std::ostream* os) {
    *os << (time.isValid() ? time.toString(Qt::ISODate).toStdString() : "invalid time");
}
