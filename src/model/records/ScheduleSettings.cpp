#include "ScheduleSettings.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"
#include "model/codec/OleDate.h"

namespace kalmur {

namespace {
using Offset = ScheduleSettings::Offset;
static_assert(Offset::kQuery == Offset::kLegend + ReportSetup::fileSize);
static_assert(Offset::kSpare == Offset::kQuery + ReportSetup::fileSize);
static_assert(Offset::kLegend + ScheduleSettings::kSetupTable * ReportSetup::fileSize ==
              Offset::kPaste);
static_assert(Offset::kViewFormat + 2 == ScheduleSettings::fileSize);

std::span<std::uint8_t, ReportSetup::fileSize> setupAt(std::span<std::uint8_t> out,
                                                       std::size_t offset) {
    return std::span<std::uint8_t, ReportSetup::fileSize>(out.data() + offset,
                                                          ReportSetup::fileSize);
}

ReportSetup reportDefaults(const char* title, float fontSize) {
    ReportSetup r;
    r.title = QString::fromLatin1(title);
    r.shadingAllowed = true;
    r.marginsAllowed = true;
    r.shadePercent = 10;
    r.shadeRuler = true;
    r.shadeCoverage = true;
    r.margins = {360, 360, 360, 360};
    r.fontName = QStringLiteral("Arial");
    r.fontSize = fontSize;
    return r;
}
} // namespace

ScheduleSettings ScheduleSettings::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    ScheduleSettings s;
    s.startDate = in.f64(Offset::kStart);
    s.endDate = in.f64(Offset::kEnd);
    s.password = in.text(Offset::kPassword, 10);
    s.weekStart = in.i16(Offset::kWeekStart);
    s.firstShownDay = in.i16(Offset::kFirstShown);
    for (std::size_t r = 0; r < kRows; ++r) {
        s.rowOrder[r] = in.i16(Offset::kRowOrder + 2 * r);
    }
    s.reserved430 = in.i16(Offset::kReserved430);
    copyBytes(s.reserved432, in.bytes(Offset::kReserved432, 40));
    copyBytes(s.reserved472, in.bytes(Offset::kReserved472, 50));
    copyBytes(s.reserved522, in.bytes(Offset::kReserved522, 80));
    s.costSetup = ReportSetup::fromBytes(in.bytes(Offset::kCost, ReportSetup::fileSize));
    s.calendarSetup = ReportSetup::fromBytes(in.bytes(Offset::kCalendar, ReportSetup::fileSize));
    s.personalSetup = ReportSetup::fromBytes(in.bytes(Offset::kPersonal, ReportSetup::fileSize));
    s.legendSetup = ReportSetup::fromBytes(in.bytes(Offset::kLegend, ReportSetup::fileSize));
    s.querySetup = ReportSetup::fromBytes(in.bytes(Offset::kQuery, ReportSetup::fileSize));
    for (std::size_t i = 0; i < kSpareSetups; ++i) {
        copyBytes(s.spareSetups[i],
                  in.bytes(Offset::kSpare + i * ReportSetup::fileSize, ReportSetup::fileSize));
    }
    for (std::size_t i = 0; i < kPasteOptions; ++i) {
        s.pasteOptions[i] = in.boolean(Offset::kPaste + 2 * i);
    }
    copyBytes(s.reserved2382, in.bytes(Offset::kReserved2382, 10));
    s.reserved2392 = in.i16(Offset::kReserved2392);
    s.viewFormatNumber = in.i16(Offset::kViewFormat);
    return s;
}

void ScheduleSettings::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setF64(Offset::kStart, startDate);
    w.setF64(Offset::kEnd, endDate);
    w.setText(Offset::kPassword, 10, password);
    w.setI16(Offset::kWeekStart, weekStart);
    w.setI16(Offset::kFirstShown, firstShownDay);
    for (std::size_t r = 0; r < kRows; ++r) {
        w.setI16(Offset::kRowOrder + 2 * r, rowOrder[r]);
    }
    w.setI16(Offset::kReserved430, reserved430);
    w.setBytes(Offset::kReserved432, reserved432);
    w.setBytes(Offset::kReserved472, reserved472);
    w.setBytes(Offset::kReserved522, reserved522);
    costSetup.encode(setupAt(out, Offset::kCost));
    calendarSetup.encode(setupAt(out, Offset::kCalendar));
    personalSetup.encode(setupAt(out, Offset::kPersonal));
    legendSetup.encode(setupAt(out, Offset::kLegend));
    querySetup.encode(setupAt(out, Offset::kQuery));
    for (std::size_t i = 0; i < kSpareSetups; ++i) {
        w.setBytes(Offset::kSpare + i * ReportSetup::fileSize, spareSetups[i]);
    }
    for (std::size_t i = 0; i < kPasteOptions; ++i) {
        w.setBoolean(Offset::kPaste + 2 * i, pasteOptions[i]);
    }
    w.setBytes(Offset::kReserved2382, reserved2382);
    w.setI16(Offset::kReserved2392, reserved2392);
    w.setI16(Offset::kViewFormat, viewFormatNumber);
}

std::array<std::uint8_t, ScheduleSettings::fileSize> ScheduleSettings::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

ScheduleSettings ScheduleSettings::defaults(QDate today) {
    ScheduleSettings s;
    s.startDate = OleDate::fromDate(QDate(today.year(), 1, 1));
    s.endDate = OleDate::fromDate(QDate(today.year() + 1, 12, 31));
    s.weekStart = 1;
    s.firstShownDay = 0;
    for (std::size_t r = 0; r < kRows; ++r) {
        s.rowOrder[r] = static_cast<std::int16_t>(r + 1);
    }
    s.reserved430 = 1;
    s.pasteOptions = {true, true, true, true, true, false};
    s.reserved2392 = 0;
    s.viewFormatNumber = 0;

    s.costSetup = reportDefaults("Estimated Cost", 12);
    s.costSetup.shadingAllowed = false;
    s.costSetup.marginsAllowed = false;

    s.calendarSetup = reportDefaults("Employee Calendar", 8);
    s.calendarSetup.setOptions({1, 2, 3, 4, 6, 10});

    s.personalSetup = reportDefaults("Personal Schedule", 8);
    s.personalSetup.setOptions({1, 2, 3, 4, 6});

    auto& legend = s.legendSetup;
    legend = reportDefaults("Legend", 8);
    legend.shadeRuler = false;
    legend.shadeCoverage = false;
    legend.setOptions({1, 2, 3, 4});

    auto& query = s.querySetup;
    query = reportDefaults("", 8);
    query.shadingAllowed = false;
    query.shadeRuler = false;
    query.shadeCoverage = false;
    return s;
}

} // namespace kalmur
