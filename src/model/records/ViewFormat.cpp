#include "ViewFormat.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

namespace {
using Row = CellContentRow::Offset;
static_assert(Row::kLayout + 4 == CellContentRow::fileSize);
static_assert(ViewFormat::Offset::kReportSetup + ReportSetup::fileSize ==
              ViewFormat::Offset::kValue231);
static_assert(ViewFormat::Offset::kCellRowsAt + ViewFormat::kCellRows * CellContentRow::fileSize ==
              ViewFormat::Offset::kCoverageAt);
static_assert(ViewFormat::Offset::kCoverageAt +
                  ViewFormat::kCoverageLines * CoverageLine::fileSize ==
              ViewFormat::Offset::kValues9105);
static_assert(ViewFormat::Offset::kText9135 + 50 == ViewFormat::fileSize);
} // namespace

ViewFormat ViewFormat::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    ViewFormat v;
    v.value0 = in.i16(Offset::kValue0);
    v.name = in.text(Offset::kName, 20);
    v.showCellIcon = in.boolean(Offset::kSymbols);
    v.timeFormat = in.text(Offset::kTimeFormat, 15);
    v.hidePosition = in.boolean(Offset::kHidePosition);
    v.layoutValues = {in.i16(Offset::kLayoutValues), in.i16(Offset::kLayoutValues + 2)};
    v.useAbbreviations = in.boolean(Offset::kAbbreviations);
    v.rulerDay = in.i16(Offset::kRulerDay);
    v.rulerDate = in.i16(Offset::kRulerDate);
    v.daysOnScreen = in.i16(Offset::kDaysOnScreen);
    v.fontName = in.text(Offset::kFontName, 30);
    v.fontSize = in.f32(Offset::kFontSize);
    v.fontBold = in.boolean(Offset::kFontBold);
    v.fontItalic = in.boolean(Offset::kFontItalic);
    v.showTimeOff = in.boolean(Offset::kShowTimeOff);
    v.coverageVisible = in.i16(Offset::kCoverageVisible);
    v.reportSetup = ReportSetup::fromBytes(in.bytes(Offset::kReportSetup, ReportSetup::fileSize));
    v.value231 = in.i16(Offset::kValue231);
    for (std::size_t r = 0; r < kCellRows; ++r) {
        const std::size_t at = Offset::kCellRowsAt + r * CellContentRow::fileSize;
        auto& row = v.cellRows[r];
        row.item = in.i16(at + Row::kItem);
        row.screen = in.boolean(at + Row::kScreen);
        row.report = in.boolean(at + Row::kReport);
        row.tie = in.boolean(at + Row::kTie);
        row.layout = {in.i16(at + Row::kLayout), in.i16(at + Row::kLayout + 2)};
    }
    for (std::size_t c = 0; c < kCoverageLines; ++c) {
        v.coverageLines[c] = CoverageLine::fromBytes(
            in.bytes(Offset::kCoverageAt + c * CoverageLine::fileSize, CoverageLine::fileSize));
    }
    copyBytes(v.values9105, in.bytes(Offset::kValues9105, 30));
    copyBytes(v.text9135, in.bytes(Offset::kText9135, 50));
    return v;
}

void ViewFormat::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setI16(Offset::kValue0, value0);
    w.setText(Offset::kName, 20, name);
    w.setBoolean(Offset::kSymbols, showCellIcon);
    w.setText(Offset::kTimeFormat, 15, timeFormat);
    w.setBoolean(Offset::kHidePosition, hidePosition);
    w.setI16(Offset::kLayoutValues, layoutValues[0]);
    w.setI16(Offset::kLayoutValues + 2, layoutValues[1]);
    w.setBoolean(Offset::kAbbreviations, useAbbreviations);
    w.setI16(Offset::kRulerDay, rulerDay);
    w.setI16(Offset::kRulerDate, rulerDate);
    w.setI16(Offset::kDaysOnScreen, daysOnScreen);
    w.setText(Offset::kFontName, 30, fontName);
    w.setF32(Offset::kFontSize, fontSize);
    w.setBoolean(Offset::kFontBold, fontBold);
    w.setBoolean(Offset::kFontItalic, fontItalic);
    w.setBoolean(Offset::kShowTimeOff, showTimeOff);
    w.setI16(Offset::kCoverageVisible, coverageVisible);
    reportSetup.encode(out.subspan<Offset::kReportSetup, ReportSetup::fileSize>());
    w.setI16(Offset::kValue231, value231);
    for (std::size_t r = 0; r < kCellRows; ++r) {
        const std::size_t at = Offset::kCellRowsAt + r * CellContentRow::fileSize;
        const auto& row = cellRows[r];
        w.setI16(at + Row::kItem, row.item);
        w.setBoolean(at + Row::kScreen, row.screen);
        w.setBoolean(at + Row::kReport, row.report);
        w.setBoolean(at + Row::kTie, row.tie);
        w.setI16(at + Row::kLayout, row.layout[0]);
        w.setI16(at + Row::kLayout + 2, row.layout[1]);
    }
    for (std::size_t c = 0; c < kCoverageLines; ++c) {
        coverageLines[c].encode(std::span<std::uint8_t, CoverageLine::fileSize>(
            out.data() + Offset::kCoverageAt + c * CoverageLine::fileSize, CoverageLine::fileSize));
    }
    w.setBytes(Offset::kValues9105, values9105);
    w.setBytes(Offset::kText9135, text9135);
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
