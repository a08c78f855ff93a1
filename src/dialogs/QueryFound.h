#pragma once

#include "model/criteria/QueryRun.h"

#include <QStringList>

class QWidget;

namespace kalmur {

// The list of what a query run found: "name, count" per employee in entry
// order, or the single entry "[None Found]".
QStringList queryFoundEntries(const QueryRun::Result& result);

// Shows what a query run found, captioned "Print " and the query's title,
// until it is closed.
void showQueryFound(const QueryRun::Result& result, QWidget* parent);

} // namespace kalmur
