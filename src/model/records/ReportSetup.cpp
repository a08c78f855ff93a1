#include "ReportSetup.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

static_assert(ReportSetup::Offset::kOptionsAt + 2 * ReportSetup::kOptions == ReportSetup::fileSize);

ReportSetup ReportSetup::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    ReportSetup r;
    r.title = in.text(Offset::kTitle, 30);
    r.printQuality = in.i16(Offset::kPrintQuality);
    r.orientation = in.i16(Offset::kOrientation);
    r.shadingAllowed = in.boolean(Offset::kShadingAllowed);
    r.marginsAllowed = in.boolean(Offset::kMarginsAllowed);
    r.shadePercent = in.i16(Offset::kShadePercent);
    r.shadeRuler = in.boolean(Offset::kShadeRuler);
    r.shadeCoverage = in.boolean(Offset::kShadeCoverage);
    r.inColor = in.boolean(Offset::kInColor);
    for (std::size_t i = 0; i < r.margins.size(); ++i) {
        r.margins[i] = in.i16(Offset::kMargins + 2 * i);
    }
    r.centimeters = in.boolean(Offset::kCentimeters);
    r.useScreenFont = in.boolean(Offset::kUseScreenFont);
    r.fontName = in.text(Offset::kFontName, 30);
    r.fontSize = in.f32(Offset::kFontSize);
    r.fontBold = in.boolean(Offset::kFontBold);
    r.fontItalic = in.boolean(Offset::kFontItalic);
    for (std::size_t i = 0; i < kOptions; ++i) {
        r.options[i] = in.boolean(Offset::kOptionsAt + 2 * i);
    }
    return r;
}

void ReportSetup::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setText(Offset::kTitle, 30, title);
    w.setI16(Offset::kPrintQuality, printQuality);
    w.setI16(Offset::kOrientation, orientation);
    w.setBoolean(Offset::kShadingAllowed, shadingAllowed);
    w.setBoolean(Offset::kMarginsAllowed, marginsAllowed);
    w.setI16(Offset::kShadePercent, shadePercent);
    w.setBoolean(Offset::kShadeRuler, shadeRuler);
    w.setBoolean(Offset::kShadeCoverage, shadeCoverage);
    w.setBoolean(Offset::kInColor, inColor);
    for (std::size_t i = 0; i < margins.size(); ++i) {
        w.setI16(Offset::kMargins + 2 * i, margins[i]);
    }
    w.setBoolean(Offset::kCentimeters, centimeters);
    w.setBoolean(Offset::kUseScreenFont, useScreenFont);
    w.setText(Offset::kFontName, 30, fontName);
    w.setF32(Offset::kFontSize, fontSize);
    w.setBoolean(Offset::kFontBold, fontBold);
    w.setBoolean(Offset::kFontItalic, fontItalic);
    for (std::size_t i = 0; i < kOptions; ++i) {
        w.setBoolean(Offset::kOptionsAt + 2 * i, options[i]);
    }
}

std::array<std::uint8_t, ReportSetup::fileSize> ReportSetup::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

void ReportSetup::setOptions(std::initializer_list<int> numbers) {
    for (int n : numbers) {
        if (n >= 1 && n <= kOptions) {
            options[static_cast<std::size_t>(n - 1)] = true;
        }
    }
}

} // namespace kalmur
