#pragma once

#include "Platform.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace kalmur {

// The check that guards the reports drawn in Arial: any installed family whose
// name contains "ARIAL" in any letter case will do, and so will a family the
// font system offers in Arial's place (Liberation Sans on most Linux systems).
namespace FontCheck {

inline constexpr const char* kReportFont = "ARIAL";

// Whether `families` hold the report font or `standIn` (empty for none).
bool reportFontPresent(const QStringList& families, const QString& standIn);

// The family the font system chooses for "Arial" when it is a real stand-in
// (a metric-compatible family, or one the font configuration maps Arial to),
// empty when "Arial" only falls back to the default family.
QString arialStandIn();

MessageRequest missingFontMessage();

// Beeps and shows the missing-font message when the report font is missing;
// returns whether it is missing.
bool reportFontMissing(Platform& platform, QWidget* parent);

} // namespace FontCheck

} // namespace kalmur
