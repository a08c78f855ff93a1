#include "ReportSetupRules.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kalmur::ReportSetupRules {

QStringList qualityEntries() {
    return {QStringLiteral("Default"), QStringLiteral("Draft"), QStringLiteral("Low"),
            QStringLiteral("Medium"), QStringLiteral("High")};
}

QStringList orientationEntries() {
    return {QStringLiteral("Default"), QStringLiteral("Portrait"), QStringLiteral("Landscape")};
}

int listPosition(int stored, int entries) {
    return stored >= 0 && stored < entries ? stored : -1;
}

int shadePosition(int percent) {
    for (std::size_t i = 0; i < kShades.size(); ++i) {
        if (kShades[i].percent == percent) {
            return int(i);
        }
    }
    return -1;
}

Adaptation adaptationFor(ReportKind kind) {
    Adaptation a;
    switch (kind) {
    case ReportKind::Schedule:
    case ReportKind::Query:
        break;
    case ReportKind::Cost:
        a.screenFontShown = false;
        break;
    case ReportKind::Calendar:
    case ReportKind::Personal:
        a.rulerCaption = QStringLiteral("Days of Week");
        a.coverageShown = false;
        a.screenFontShown = false;
        break;
    case ReportKind::Legend:
        a.screenFontShown = false;
        a.shadingShown = false;
        a.colourPageCaption = QStringLiteral("Color");
        break;
    }
    return a;
}

QString marginText(int twips, bool centimeters) {
    const int divisor = centimeters ? kTwipsPerCentimetre : kTwipsPerInch;
    const QString unit = centimeters ? QStringLiteral("cm") : QStringLiteral("\"");
    return QString::number(double(twips) / divisor, 'f', 2) + unit;
}

std::int16_t marginTwips(const QString& typed, bool centimeters) {
    static const QRegularExpression leading(
        QStringLiteral(R"(^\s*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?))"));
    const QRegularExpressionMatch match = leading.match(typed);
    const double number = match.hasMatch() ? match.captured(1).toDouble() : 0.0;
    const double twips =
        std::nearbyint(number * (centimeters ? kTwipsPerCentimetre : kTwipsPerInch));
    using Limits = std::numeric_limits<std::int16_t>;
    if (std::isnan(twips)) {
        return 0;
    }
    return static_cast<std::int16_t>(std::clamp<double>(twips, Limits::min(), Limits::max()));
}

QString sizeText(float size) {
    if (std::isnan(size)) {
        return QStringLiteral("NaN");
    }
    QString text = QString::number(double(size), 'g', 7);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return size >= 0 ? QLatin1Char(' ') + text : text;
}

QString fontDescription(const QString& name, float size, bool bold, bool italic) {
    QString text = name.trimmed();
    if (bold) {
        text += QStringLiteral(",Bold");
    }
    if (italic) {
        text += QStringLiteral(",Italic");
    }
    return text + QLatin1Char(',') + sizeText(size);
}

double dialogPointSize(float size) {
    if (std::isnan(size)) {
        return kMinFontPoints;
    }
    return std::clamp<double>(size, kMinFontPoints, kMaxFontPoints);
}

void store(ReportSetup& setup, const Input& input) {
    setup.inColor = input.inColor;
    setup.centimeters = input.centimeters;
    setup.useScreenFont = input.useScreenFont;
    setup.title = input.title.trimmed().left(kTitleLength);
    if (input.quality) {
        setup.printQuality = static_cast<std::int16_t>(*input.quality);
    }
    if (input.orientation) {
        setup.orientation = static_cast<std::int16_t>(*input.orientation);
    }
    if (setup.shadingAllowed) {
        setup.shadeRuler = input.shadeRuler;
        setup.shadeCoverage = input.shadeCoverage;
        if (input.shadePercent) {
            setup.shadePercent = static_cast<std::int16_t>(*input.shadePercent);
        }
    }
}

} // namespace kalmur::ReportSetupRules
