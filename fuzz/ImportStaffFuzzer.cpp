// Arbitrary bytes as the CSV file that `kalmur-tool import-staff` reads,
// applied to the demo ward the way the command applies it. A file that is
// refused leaves no warnings behind; one that is accepted puts every numbered
// line's name into its row and leaves a schedule that closes, opens again and
// reads back unchanged.

#include "DemoWard.h"
#include "FuzzScratch.h"
#include "ScheduleChecks.h"

#include "model/schedule/Schedule.h"
#include "tool/StaffImport.h"

#include <QLocale>
#include <QStringDecoder>

#include <cstdint>

using namespace kalmur;
using fuzz::broken;

namespace {

fuzz::DemoWardTarget target;

void run(const QByteArray& bytes, const QString& work) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError()) {
        return; // the command refuses text that is not UTF-8
    }
    const StaffImport::StaffList staff = StaffImport::read(text);
    if (!staff.error.isEmpty()) {
        if (!staff.warnings.isEmpty()) {
            broken("a refused staff file kept its warnings", staff.error);
        }
        return;
    }
    target.demo->writeTo(work);
    Schedule s(work, QLocale(QLocale::English, QLocale::UnitedStates));
    fuzz::openWorkingSet(s);
    if (!StaffImport::apply(s, staff).isEmpty()) {
        return; // the command saves nothing
    }
    for (const StaffImport::Person& p : staff.people) {
        if (p.row != 0 && p.name &&
            s.employees().names[static_cast<std::size_t>(p.row - 1)] != *p.name) {
            broken("a numbered line's name did not reach its row", QString::number(p.line));
        }
    }
    fuzz::checkSurvivesReopen(s, work);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    target = fuzz::startDemoWardTarget("import-staff");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    target.scratch->runInWorkFolder([&](const QString& work) {
        run(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), work);
    });
    return 0;
}
