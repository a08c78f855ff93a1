#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace kalmur {

// kalmur-tool print --report query: the query report of a query run into a
// PDF file, as "Print" in the query report window prints it. The dates follow
// the Query window's rules (and kalmur-tool query's): a start before the
// schedule's first day or an end after its last is pulled in, the other
// refusals exit 1 with the window's messages. The archive is only read.
namespace QueryPrintCommand {

int run(const QString& archive, const QMap<QString, QString>& values, const QStringList& flags,
        QTextStream& err);

} // namespace QueryPrintCommand

} // namespace kalmur
