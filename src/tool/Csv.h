#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace kalmur {

// CSV as RFC 4180 has it, for every command that reads or writes a table:
// fields separated by commas, a field quoted when it holds a comma, a double
// quote or a line break, and a double quote inside a quoted field doubled.
namespace Csv {

// One field, quoted when it needs to be.
QString field(const QString& text);
// The fields of one line, joined by commas and ended by a line feed.
QString line(const QStringList& fields);

// One record read from a file, with the line of the file where it begins
// (counted from 1; a quoted line break makes a record span lines).
struct Record {
    int line = 0;
    QStringList fields;
};

struct Table {
    std::vector<Record> records;
    QString error; // empty when the text was read whole
    int errorLine = 0;
};

// Reads a whole text. Line ends may be CR LF or LF; a leading byte-order mark
// is dropped. A quote that is never closed, or text between a closing quote
// and the next comma, is an error at the line where its record begins.
Table read(const QString& text);

} // namespace Csv

} // namespace kalmur
