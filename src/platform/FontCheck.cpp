#include "FontCheck.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace kalmur::FontCheck {

namespace {

// Families drawn to Arial's metrics, so a report laid out for Arial fits.
const QStringList& metricTwins() {
    static const QStringList twins{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("Albany AMT")};
    return twins;
}

} // namespace

bool reportFontPresent(const QStringList& families, const QString& standIn) {
    const QString wanted = QString::fromLatin1(kReportFont);
    for (const QString& family : families) {
        if (family.toUpper().contains(wanted)) {
            return true;
        }
    }
    return !standIn.isEmpty() && families.contains(standIn, Qt::CaseInsensitive);
}

QString arialStandIn() {
    const QString chosen = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    const QString fallback =
        QFontInfo(QFont(QStringLiteral("Kalmur No Such Family Here"))).family();
    if (chosen.isEmpty()) {
        return {};
    }
    if (metricTwins().contains(chosen, Qt::CaseInsensitive) ||
        chosen.compare(fallback, Qt::CaseInsensitive) != 0) {
        return chosen;
    }
    return {};
}

MessageRequest missingFontMessage() {
    MessageRequest request;
    request.text = QStringLiteral("The default font ") + QString::fromLatin1(kReportFont) +
                   QStringLiteral(" used by Kalmur for all reports has been removed from your "
                                  "system.  Please re-install this font.");
    request.title = QStringLiteral("Error");
    request.icon = MessageIcon::Exclamation;
    return request;
}

bool reportFontMissing(Platform& platform, QWidget* parent) {
    if (reportFontPresent(QFontDatabase::families(), arialStandIn())) {
        return false;
    }
    platform.warn(parent, missingFontMessage());
    return true;
}

} // namespace kalmur::FontCheck
