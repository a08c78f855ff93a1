#pragma once

#include "PrintSetup.h"

#include <QPdfWriter>

#include <optional>

namespace kalmur {

// The program's own PDF printer: a PDF file with no unprintable strips, on
// Letter paper in the United States and A4 elsewhere unless told otherwise.
class PdfDevice : public PrinterControls {
public:
    explicit PdfDevice(const QString& path, std::optional<bool> letter = std::nullopt);

    QPdfWriter& writer() { return m_writer; }

    bool setPortrait(bool portrait) override;
    bool setQuality(int quality) override;

private:
    QPdfWriter m_writer;
};

} // namespace kalmur
