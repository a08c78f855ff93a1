// Arbitrary bytes as the JSON document that `kalmur-tool import` reads,
// applied to the demo ward the way the command applies it. An import that is
// accepted must leave a schedule that closes, opens again and reads back
// unchanged.
//
// Date ranges of more than kMaxRangeDays are not applied: the rebuild they
// run is the working-set target's business, and a range of years takes longer
// than the time limit of one input under the sanitizers.

#include "DemoWard.h"
#include "FuzzScratch.h"
#include "ScheduleChecks.h"

#include "model/schedule/Schedule.h"
#include "tool/ScheduleJson.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <cstdint>

using namespace kalmur;

namespace {

fuzz::DemoWardTarget target;

constexpr qint64 kMaxRangeDays = 800;

// The range the document asks for, counted as the import counts it.
bool rangeTooLong(const Schedule& s, const QJsonObject& o) {
    auto date = [&](const char* key, QDate fallback) {
        const QJsonValue v = o.value(QLatin1String(key));
        return v.isString() ? QDate::fromString(v.toString(), Qt::ISODate) : fallback;
    };
    const QDate start = date("start", s.startDate());
    const QDate end = date("end", s.endDate());
    return start.isValid() && end.isValid() && start.daysTo(end) + 1 > kMaxRangeDays;
}

void run(const QByteArray& bytes, const QString& work) {
    // As the command reads its file: valid JSON holding one object.
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        return;
    }
    const QJsonObject data = doc.object();
    target.demo->writeTo(work);
    Schedule s(work, QLocale(QLocale::English, QLocale::UnitedStates));
    fuzz::openWorkingSet(s);
    if (rangeTooLong(s, data)) {
        return;
    }
    const QString refusal = ScheduleJson::apply(s, data);
    if (!refusal.isEmpty()) {
        return; // the command saves nothing
    }
    fuzz::checkSurvivesReopen(s, work);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    target = fuzz::startDemoWardTarget("import-json");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    target.scratch->runInWorkFolder([&](const QString& work) {
        run(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), work);
    });
    return 0;
}
