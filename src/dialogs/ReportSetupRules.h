#pragma once

#include "editor/ReportSetupEdit.h"
#include "model/records/ReportSetup.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace kalmur {

// What "Report Setup" offers and stores, apart from the window: its lists, how
// each report adapts it, how margins are shown and read back, and how the font
// is described.
namespace ReportSetupRules {

inline constexpr int kTitleLength = 30;
inline constexpr int kFontNameLength = 30;
inline constexpr int kMinFontPoints = 4;
inline constexpr int kMaxFontPoints = 13;
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerCentimetre = 567;

QStringList qualityEntries();
QStringList orientationEntries();

struct ShadeEntry {
    const char* text;
    int percent;
};
inline constexpr std::array<ShadeEntry, 3> kShades{{{"Light", 5}, {"Medium", 10}, {"Dark", 20}}};

// The list position that shows a stored index, or -1 (no selection) for an
// index the list does not have.
int listPosition(int stored, int entries);
// The shade entry of a stored percentage, or -1 when none carries it.
int shadePosition(int percent);

// How a report adapts the dialog to what it prints.
struct Adaptation {
    QString rulerCaption = QStringLiteral("Day Ruler");
    bool coverageShown = true;
    bool screenFontShown = true;
    bool shadingShown = true;
    QString colourPageCaption = QStringLiteral("Color / Shading");
};
Adaptation adaptationFor(ReportKind kind);

// A margin in the box's format: inches with two decimals and the inch sign, or
// centimetres with two decimals and "cm".
QString marginText(int twips, bool centimeters);
// The twips a typed margin stands for: the number the text starts with (0 when
// it does not start with one) in inches or centimetres, rounded to a whole
// twip. Any number is taken; one beyond what the record holds is held at its
// limit instead of wrapping round.
std::int16_t marginTwips(const QString& typed, bool centimeters);

// A point size as the description shows it: a leading space unless negative,
// then the shortest text of the single-precision value.
QString sizeText(float size);
// "Arial,Bold, 8": the trimmed face, the styles and the size.
QString fontDescription(const QString& name, float size, bool bold, bool italic);
// A size the font dialog can start from: a stored size within 4..13 points,
// anything else (not a number, too small, too large) held at the nearest limit.
double dialogPointSize(float size);

// What the window's controls hold when OK is pressed. A list without a
// selection keeps the stored value; the shading choices count only where
// shading is allowed.
struct Input {
    QString title;
    std::optional<int> quality;
    std::optional<int> orientation;
    bool inColor = false;
    bool centimeters = false;
    bool useScreenFont = false;
    bool shadeRuler = false;
    bool shadeCoverage = false;
    std::optional<int> shadePercent;
};

// Stores the input into the setup; margins and font were stored as edited.
void store(ReportSetup& setup, const Input& input);

} // namespace ReportSetupRules

} // namespace kalmur
