#include "ScheduleSettings.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"
#include "model/codec/OleDate.h"

namespace kalmur {

namespace {
constexpr std::size_t kStart = 0;
constexpr std::size_t kEnd = 8;
constexpr std::size_t kPassword = 16;
constexpr std::size_t kWeekStart = 26;
constexpr std::size_t kFirstShown = 28;
constexpr std::size_t kRowOrder = 30;
constexpr std::size_t kReserved430 = 430;
constexpr std::size_t kReserved432 = 432;
constexpr std::size_t kReserved472 = 472;
constexpr std::size_t kReserved522 = 522;
constexpr std::size_t kCost = 602;
constexpr std::size_t kCalendar = 738;
constexpr std::size_t kPersonal = 874;
constexpr std::size_t kTable = 1010;
constexpr std::size_t kPaste = 2370;
constexpr std::size_t kReserved2382 = 2382;
constexpr std::size_t kReserved2392 = 2392;
constexpr std::size_t kViewFormat = 2394;
static_assert(kTable + ScheduleSettings::kSetupTable * ReportSetup::fileSize == kPaste);
static_assert(kViewFormat + 2 == ScheduleSettings::fileSize);

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
    s.startDate = in.f64(kStart);
    s.endDate = in.f64(kEnd);
    s.password = in.text(kPassword, 10);
    s.weekStart = in.i16(kWeekStart);
    s.firstShownDay = in.i16(kFirstShown);
    for (std::size_t r = 0; r < kRows; ++r) {
        s.rowOrder[r] = in.i16(kRowOrder + 2 * r);
    }
    s.reserved430 = in.i16(kReserved430);
    copyBytes(s.reserved432, in.bytes(kReserved432, 40));
    copyBytes(s.reserved472, in.bytes(kReserved472, 50));
    copyBytes(s.reserved522, in.bytes(kReserved522, 80));
    s.costSetup = ReportSetup::fromBytes(in.bytes(kCost, ReportSetup::fileSize));
    s.calendarSetup = ReportSetup::fromBytes(in.bytes(kCalendar, ReportSetup::fileSize));
    s.personalSetup = ReportSetup::fromBytes(in.bytes(kPersonal, ReportSetup::fileSize));
    s.legendSetup = ReportSetup::fromBytes(in.bytes(kTable, ReportSetup::fileSize));
    s.querySetup =
        ReportSetup::fromBytes(in.bytes(kTable + ReportSetup::fileSize, ReportSetup::fileSize));
    for (std::size_t i = 0; i < kSpareSetups; ++i) {
        copyBytes(s.spareSetups[i],
                  in.bytes(kTable + (i + 2) * ReportSetup::fileSize, ReportSetup::fileSize));
    }
    for (std::size_t i = 0; i < kPasteOptions; ++i) {
        s.pasteOptions[i] = in.boolean(kPaste + 2 * i);
    }
    copyBytes(s.reserved2382, in.bytes(kReserved2382, 10));
    s.reserved2392 = in.i16(kReserved2392);
    s.viewFormatNumber = in.i16(kViewFormat);
    return s;
}

void ScheduleSettings::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setF64(kStart, startDate);
    w.setF64(kEnd, endDate);
    w.setText(kPassword, 10, password);
    w.setI16(kWeekStart, weekStart);
    w.setI16(kFirstShown, firstShownDay);
    for (std::size_t r = 0; r < kRows; ++r) {
        w.setI16(kRowOrder + 2 * r, rowOrder[r]);
    }
    w.setI16(kReserved430, reserved430);
    w.setBytes(kReserved432, reserved432);
    w.setBytes(kReserved472, reserved472);
    w.setBytes(kReserved522, reserved522);
    costSetup.encode(setupAt(out, kCost));
    calendarSetup.encode(setupAt(out, kCalendar));
    personalSetup.encode(setupAt(out, kPersonal));
    legendSetup.encode(setupAt(out, kTable));
    querySetup.encode(setupAt(out, kTable + ReportSetup::fileSize));
    for (std::size_t i = 0; i < kSpareSetups; ++i) {
        w.setBytes(kTable + (i + 2) * ReportSetup::fileSize, spareSetups[i]);
    }
    for (std::size_t i = 0; i < kPasteOptions; ++i) {
        w.setBoolean(kPaste + 2 * i, pasteOptions[i]);
    }
    w.setBytes(kReserved2382, reserved2382);
    w.setI16(kReserved2392, reserved2392);
    w.setI16(kViewFormat, viewFormatNumber);
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
