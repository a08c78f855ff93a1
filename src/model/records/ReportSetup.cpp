#include "ReportSetup.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

namespace {
constexpr std::size_t kTitle = 0;
constexpr std::size_t kPrintQuality = 30;
constexpr std::size_t kOrientation = 32;
constexpr std::size_t kShadingAllowed = 34;
constexpr std::size_t kMarginsAllowed = 36;
constexpr std::size_t kShadePercent = 38;
constexpr std::size_t kShadeRuler = 40;
constexpr std::size_t kShadeCoverage = 42;
constexpr std::size_t kInColor = 44;
constexpr std::size_t kMargins = 46;
constexpr std::size_t kCentimeters = 54;
constexpr std::size_t kUseScreenFont = 56;
constexpr std::size_t kFontName = 58;
constexpr std::size_t kFontSize = 88;
constexpr std::size_t kFontBold = 92;
constexpr std::size_t kFontItalic = 94;
constexpr std::size_t kOptionsAt = 96;
static_assert(kOptionsAt + 2 * ReportSetup::kOptions == ReportSetup::fileSize);
} // namespace

ReportSetup ReportSetup::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    ReportSetup r;
    r.title = in.text(kTitle, 30);
    r.printQuality = in.i16(kPrintQuality);
    r.orientation = in.i16(kOrientation);
    r.shadingAllowed = in.boolean(kShadingAllowed);
    r.marginsAllowed = in.boolean(kMarginsAllowed);
    r.shadePercent = in.i16(kShadePercent);
    r.shadeRuler = in.boolean(kShadeRuler);
    r.shadeCoverage = in.boolean(kShadeCoverage);
    r.inColor = in.boolean(kInColor);
    for (std::size_t i = 0; i < r.margins.size(); ++i) {
        r.margins[i] = in.i16(kMargins + 2 * i);
    }
    r.centimeters = in.boolean(kCentimeters);
    r.useScreenFont = in.boolean(kUseScreenFont);
    r.fontName = in.text(kFontName, 30);
    r.fontSize = in.f32(kFontSize);
    r.fontBold = in.boolean(kFontBold);
    r.fontItalic = in.boolean(kFontItalic);
    for (std::size_t i = 0; i < kOptions; ++i) {
        r.options[i] = in.boolean(kOptionsAt + 2 * i);
    }
    return r;
}

void ReportSetup::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setText(kTitle, 30, title);
    w.setI16(kPrintQuality, printQuality);
    w.setI16(kOrientation, orientation);
    w.setBoolean(kShadingAllowed, shadingAllowed);
    w.setBoolean(kMarginsAllowed, marginsAllowed);
    w.setI16(kShadePercent, shadePercent);
    w.setBoolean(kShadeRuler, shadeRuler);
    w.setBoolean(kShadeCoverage, shadeCoverage);
    w.setBoolean(kInColor, inColor);
    for (std::size_t i = 0; i < margins.size(); ++i) {
        w.setI16(kMargins + 2 * i, margins[i]);
    }
    w.setBoolean(kCentimeters, centimeters);
    w.setBoolean(kUseScreenFont, useScreenFont);
    w.setText(kFontName, 30, fontName);
    w.setF32(kFontSize, fontSize);
    w.setBoolean(kFontBold, fontBold);
    w.setBoolean(kFontItalic, fontItalic);
    for (std::size_t i = 0; i < kOptions; ++i) {
        w.setBoolean(kOptionsAt + 2 * i, options[i]);
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
