#include "PrintSetup.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>
#include <cmath>

namespace kalmur {

namespace {

constexpr double kTitlePoints = 16;
constexpr double kHeadingPoints = 10;
// Body sizes a page can hold: the setup dialog offers 4 to 13 points; a file
// may hold anything.
constexpr double kLeastPoints = 1;
constexpr double kMostPoints = 72;

// Faces drawn to the metrics of the common Windows faces.
const QStringList& metricTwins() {
    static const QStringList twins{
        QStringLiteral("Liberation Sans"), QStringLiteral("Liberation Serif"),
        QStringLiteral("Liberation Mono"), QStringLiteral("Arimo"),
        QStringLiteral("Tinos"),           QStringLiteral("Cousine")};
    return twins;
}

bool isOldScreenFace(const QString& name) {
    return name.compare(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) == 0 ||
           name.compare(QStringLiteral("Small Fonts"), Qt::CaseInsensitive) == 0;
}

bool printableSize(double points) {
    return std::isfinite(points) && points >= kLeastPoints && points <= kMostPoints;
}

} // namespace

PrintSetup PrintSetup::prepare(const ReportSetup& setup, const ViewFormat* screenFont) {
    PrintSetup p;
    p.title = setup.title.trimmed();
    if (setup.useScreenFont && screenFont) {
        p.fontName = screenFont->fontName.trimmed();
        if (isOldScreenFace(p.fontName)) {
            p.fontName = QStringLiteral("Arial");
        }
        p.fontSize = screenFont->fontSize;
        p.bold = screenFont->fontBold;
        p.italic = screenFont->fontItalic;
    } else {
        p.fontName = setup.fontName.trimmed();
        p.fontSize = setup.fontSize;
        p.bold = setup.fontBold;
        p.italic = setup.fontItalic;
    }
    // Out-of-range choices keep the printer's own setting.
    p.orientation = setup.orientation >= 0 && setup.orientation <= 2 ? setup.orientation : 0;
    p.quality = setup.printQuality >= 0 && setup.printQuality <= 4 ? setup.printQuality : 0;
    p.inColor = setup.inColor;
    p.shadePercent = std::clamp<int>(setup.shadePercent, 0, 100);
    p.shadeRuler = setup.shadeRuler;
    p.shadeCoverage = setup.shadeCoverage;
    p.margins = setup.margins;
    return p;
}

QColor shadeColour(int percent) {
    const int c = static_cast<int>(std::lround(255.0 - 255.0 * std::clamp(percent, 0, 100) / 100));
    return QColor(c, c, c);
}

int qualityResolution(int quality) {
    switch (quality) {
    case 1:
        return 150;
    case 2:
        return 300;
    case 3:
        return 600;
    default:
        return 1200;
    }
}

std::optional<QString> printableFamily(const QString& name) {
    const QString face = name.trimmed();
    if (face.isEmpty()) {
        return std::nullopt;
    }
    if (QFontDatabase::hasFamily(face)) {
        return face;
    }
    const QString chosen = QFontInfo(QFont(face)).family();
    const QString fallback =
        QFontInfo(QFont(QStringLiteral("Kalmur No Such Family Here"))).family();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    if (metricTwins().contains(chosen, Qt::CaseInsensitive) ||
        chosen.compare(fallback, Qt::CaseInsensitive) != 0) {
        return chosen;
    }
    return std::nullopt;
}

AppliedSetup applySetup(const PrintSetup& setup, PrinterControls& printer,
                        const std::function<bool(const QString&)>& goOn) {
    AppliedSetup result;
    const std::optional<QString> family = printableFamily(setup.fontName);
    if (!family) {
        result.error = SetupMessages::kFont;
        return result;
    }
    if (!printableSize(setup.fontSize)) {
        result.error = SetupMessages::kFontSize;
        return result;
    }
    PrintFonts fonts;
    fonts.body = QFont(*family);
    fonts.body.setPointSizeF(setup.fontSize);
    auto warned = [&](bool accepted, const QString& text) {
        return accepted || goOn(text);
    };
    bool bold = setup.bold;
    if (bold && !printer.setBold(true)) {
        if (!goOn(SetupMessages::kBold)) {
            return result;
        }
        bold = false;
    }
    bool italic = setup.italic;
    if (italic && !printer.setItalic(true)) {
        if (!goOn(SetupMessages::kItalic)) {
            return result;
        }
        italic = false;
    }
    fonts.body.setBold(bold);
    fonts.body.setItalic(italic);
    if (setup.orientation != 0 &&
        !warned(printer.setPortrait(setup.orientation == 1), SetupMessages::kOrientation)) {
        return result;
    }
    if (setup.quality != 0 && !warned(printer.setQuality(setup.quality), SetupMessages::kQuality)) {
        return result;
    }
    fonts.heading = QFont(*family);
    fonts.heading.setPointSizeF(kHeadingPoints);
    fonts.title = QFont(*family);
    fonts.title.setPointSizeF(kTitlePoints);
    result.fonts = fonts;
    return result;
}

} // namespace kalmur
