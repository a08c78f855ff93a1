#pragma once

#include <QString>
#include <QTextStream>

#include <optional>

namespace kalmur {

class Schedule;

// kalmur-tool print --report legend: the legend of the schedule's shifts,
// marks and explanations into a PDF file, with the legend's stored setup and
// print options and the current view format's times. Exit status as for print.
int printLegend(const Schedule& schedule, const QString& pdf, std::optional<bool> letter,
                QTextStream& err);

} // namespace kalmur
