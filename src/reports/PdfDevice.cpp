#include "PdfDevice.h"

#include <QLocale>
#include <QPageLayout>

namespace kalmur {

PdfDevice::PdfDevice(const QString& path, std::optional<bool> letter)
    : m_writer(path) {
    const bool us = letter ? *letter : QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    m_writer.setPageLayout(QPageLayout(QPageSize(us ? QPageSize::Letter : QPageSize::A4),
                                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    m_writer.setResolution(qualityResolution(4));
    m_writer.setCreator(QStringLiteral("Kalmur Pro"));
}

bool PdfDevice::setPortrait(bool portrait) {
    return m_writer.setPageOrientation(portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
}

bool PdfDevice::setQuality(int quality) {
    m_writer.setResolution(qualityResolution(quality));
    return true;
}

} // namespace kalmur
