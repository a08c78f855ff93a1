#pragma once

#include "model/records/ReportSetup.h"
#include "model/records/ViewFormat.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace kalmur {

// The setup a run prints with, taken from a stored report setup. Setups come
// from files and may hold anything: every value here is one the engine can
// use, except the font, which applying the setup checks.
struct PrintSetup {
    QString title;
    QString fontName; // trimmed; may be blank or unknown
    double fontSize = 8;
    bool bold = false;
    bool italic = false;
    int orientation = 0; // 0 the printer's own, 1 portrait, 2 landscape
    int quality = 0;     // 0 the printer's own, 1..4 draft, low, medium, high
    bool inColor = false;
    int shadePercent = 10; // 0..100
    bool shadeRuler = false;
    bool shadeCoverage = false;
    std::array<std::int16_t, 4> margins{}; // top, bottom, left, right in twips

    // From a report setup; `screenFont` (the view format) is used when the
    // setup asks for the screen font, with the faces of older schedules
    // ("MS Sans Serif", "Small Fonts") printed in Arial.
    static PrintSetup prepare(const ReportSetup& setup, const ViewFormat* screenFont = nullptr);
};

// The grey of shaded areas: 5 % gives 242, 10 % 230, 20 % 204.
QColor shadeColour(int percent);

// The fonts of a run: the body font of the cells and names, and the heading
// (10 points) and title (16 points) fonts in the same face.
struct PrintFonts {
    QFont body;
    QFont heading;
    QFont title;
};

// What a printer lets a setup change. A real printer may refuse an
// orientation or a resolution; a PDF file takes any.
class PrinterControls {
public:
    virtual ~PrinterControls() = default;
    virtual bool setPortrait(bool portrait) = 0;
    // Quality 1..4 (draft, low, medium, high).
    virtual bool setQuality(int quality) = 0;
    virtual bool setBold(bool) { return true; }
    virtual bool setItalic(bool) { return true; }
};

// The device resolution of a print quality 1..4.
int qualityResolution(int quality);

// The face printed for a font name: the name itself when the system has it,
// otherwise a face the font system puts in its place with the same metrics
// (Arial prints in Liberation Sans). Nothing for a blank name or one the
// system would only replace with its default face.
std::optional<QString> printableFamily(const QString& name);

// The messages of applying a setup, shared by every report.
namespace SetupMessages {
inline const QString kFont = QStringLiteral(
    "The printer does not support the selected font or cannot print this font at the current "
    "Print Quality setting.");
inline const QString kFontSize = QStringLiteral("Font size invalid for current printer");
inline const QString kBold = QStringLiteral("Bold font setting invalid for current printer");
inline const QString kItalic = QStringLiteral("Italic font setting invalid for current printer");
inline const QString kOrientation =
    QStringLiteral("Orientation setting invalid for current printer");
inline const QString kQuality = QStringLiteral("Print quality setting invalid for current printer");
inline const QString kPrinterError =
    QStringLiteral("Please check printer paper/on-line status.  Try using a different PRINT "
                   "QUALITY setting.");
} // namespace SetupMessages

// The outcome of applying a setup: the fonts to print with, or the error that
// refused it (empty when the user cancelled at a warning).
struct AppliedSetup {
    std::optional<PrintFonts> fonts;
    QString error;
    bool ok() const { return fonts.has_value(); }
};

// Puts a setup on a printer: the font (refused when the system has no face
// for it or its size is not a printable one), bold and italic, orientation and
// quality. A setting the printer refuses is a warning: `goOn(text)` decides
// whether to print without it.
AppliedSetup applySetup(const PrintSetup& setup, PrinterControls& printer,
                        const std::function<bool(const QString&)>& goOn);

} // namespace kalmur
