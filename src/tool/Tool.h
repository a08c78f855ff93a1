#pragma once

#include <QStringList>
#include <QTextStream>

namespace kalmur {

// kalmur-tool: the schedule data layer from the command line. Exit status 0 on
// success, 1 (with one line on `err`) when the input is refused, 2 for a usage
// error.
int runTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace kalmur
