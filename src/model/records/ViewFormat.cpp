#include "ViewFormat.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

namespace {
constexpr std::size_t kValue0 = 0;
constexpr std::size_t kName = 2;
constexpr std::size_t kSymbols = 22;
constexpr std::size_t kTimeFormat = 24;
constexpr std::size_t kHidePosition = 39;
constexpr std::size_t kLayoutValues = 41;
constexpr std::size_t kAbbreviations = 45;
constexpr std::size_t kRulerDay = 47;
constexpr std::size_t kRulerDate = 49;
constexpr std::size_t kDaysOnScreen = 51;
constexpr std::size_t kFontName = 53;
constexpr std::size_t kFontSize = 83;
constexpr std::size_t kFontBold = 87;
constexpr std::size_t kFontItalic = 89;
constexpr std::size_t kShowTimeOff = 91;
constexpr std::size_t kCoverageVisible = 93;
constexpr std::size_t kReportSetup = 95;
constexpr std::size_t kValue231 = 231;
constexpr std::size_t kCellRowsAt = 233;
constexpr std::size_t kCoverageAt = 305;
constexpr std::size_t kValues9105 = 9105;
constexpr std::size_t kText9135 = 9135;
static_assert(kReportSetup + ReportSetup::fileSize == kValue231);
static_assert(kCellRowsAt + ViewFormat::kCellRows * CellContentRow::fileSize == kCoverageAt);
static_assert(kCoverageAt + ViewFormat::kCoverageLines * CoverageLine::fileSize == kValues9105);
static_assert(kText9135 + 50 == ViewFormat::fileSize);
} // namespace

ViewFormat ViewFormat::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    ViewFormat v;
    v.value0 = in.i16(kValue0);
    v.name = in.text(kName, 20);
    v.showCellIcon = in.boolean(kSymbols);
    v.timeFormat = in.text(kTimeFormat, 15);
    v.hidePosition = in.boolean(kHidePosition);
    v.layoutValues = {in.i16(kLayoutValues), in.i16(kLayoutValues + 2)};
    v.useAbbreviations = in.boolean(kAbbreviations);
    v.rulerDay = in.i16(kRulerDay);
    v.rulerDate = in.i16(kRulerDate);
    v.daysOnScreen = in.i16(kDaysOnScreen);
    v.fontName = in.text(kFontName, 30);
    v.fontSize = in.f32(kFontSize);
    v.fontBold = in.boolean(kFontBold);
    v.fontItalic = in.boolean(kFontItalic);
    v.showTimeOff = in.boolean(kShowTimeOff);
    v.coverageVisible = in.i16(kCoverageVisible);
    v.reportSetup = ReportSetup::fromBytes(in.bytes(kReportSetup, ReportSetup::fileSize));
    v.value231 = in.i16(kValue231);
    for (std::size_t r = 0; r < kCellRows; ++r) {
        const std::size_t at = kCellRowsAt + r * CellContentRow::fileSize;
        auto& row = v.cellRows[r];
        row.item = in.i16(at);
        row.screen = in.boolean(at + 2);
        row.report = in.boolean(at + 4);
        row.tie = in.boolean(at + 6);
        row.layout = {in.i16(at + 8), in.i16(at + 10)};
    }
    for (std::size_t c = 0; c < kCoverageLines; ++c) {
        v.coverageLines[c] = CoverageLine::fromBytes(
            in.bytes(kCoverageAt + c * CoverageLine::fileSize, CoverageLine::fileSize));
    }
    copyBytes(v.values9105, in.bytes(kValues9105, 30));
    copyBytes(v.text9135, in.bytes(kText9135, 50));
    return v;
}

void ViewFormat::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setI16(kValue0, value0);
    w.setText(kName, 20, name);
    w.setBoolean(kSymbols, showCellIcon);
    w.setText(kTimeFormat, 15, timeFormat);
    w.setBoolean(kHidePosition, hidePosition);
    w.setI16(kLayoutValues, layoutValues[0]);
    w.setI16(kLayoutValues + 2, layoutValues[1]);
    w.setBoolean(kAbbreviations, useAbbreviations);
    w.setI16(kRulerDay, rulerDay);
    w.setI16(kRulerDate, rulerDate);
    w.setI16(kDaysOnScreen, daysOnScreen);
    w.setText(kFontName, 30, fontName);
    w.setF32(kFontSize, fontSize);
    w.setBoolean(kFontBold, fontBold);
    w.setBoolean(kFontItalic, fontItalic);
    w.setBoolean(kShowTimeOff, showTimeOff);
    w.setI16(kCoverageVisible, coverageVisible);
    reportSetup.encode(out.subspan<kReportSetup, ReportSetup::fileSize>());
    w.setI16(kValue231, value231);
    for (std::size_t r = 0; r < kCellRows; ++r) {
        const std::size_t at = kCellRowsAt + r * CellContentRow::fileSize;
        const auto& row = cellRows[r];
        w.setI16(at, row.item);
        w.setBoolean(at + 2, row.screen);
        w.setBoolean(at + 4, row.report);
        w.setBoolean(at + 6, row.tie);
        w.setI16(at + 8, row.layout[0]);
        w.setI16(at + 10, row.layout[1]);
    }
    for (std::size_t c = 0; c < kCoverageLines; ++c) {
        coverageLines[c].encode(std::span<std::uint8_t, CoverageLine::fileSize>(
            out.data() + kCoverageAt + c * CoverageLine::fileSize, CoverageLine::fileSize));
    }
    w.setBytes(kValues9105, values9105);
    w.setBytes(kText9135, text9135);
}

std::array<std::uint8_t, ViewFormat::fileSize> ViewFormat::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

bool ViewFormat::isUsed() const {
    return name.trimmed() != QLatin1String("Not Used");
}

} // namespace kalmur
