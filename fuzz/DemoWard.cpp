#include "DemoWard.h"

#include "FuzzScratch.h"
#include "ScheduleChecks.h"

#include "model/schedule/Schedule.h"
#include "tool/ScheduleJson.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QLocale>

#include <span>

namespace kalmur::fuzz {

namespace {

// A fixed "today", so that a new settings record is the same on every run.
const QDate kToday(2024, 3, 15);

QLocale usEnglish() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

template <typename Bytes>
void append(QByteArray& out, const Bytes& bytes) {
    out.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// A record as its file holds it: written and read back, so that values the
// file cannot tell apart (a text's trailing spaces and NULs) compare equal.
template <typename Record>
auto stored(const Record& record) {
    return Record::fromBytes(record.toBytes()).toBytes();
}

} // namespace

TemplateSet TemplateSet::demoWard(const QString& folder) {
    QFile file(QStringLiteral(KALMUR_DEMO_WARD_JSON));
    if (!file.open(QIODevice::ReadOnly)) {
        broken("cannot read the demo ward", file.fileName());
    }
    const QJsonDocument demo = QJsonDocument::fromJson(file.readAll());
    {
        Schedule s(folder, usEnglish());
        openWorkingSet(s);
        if (const QString e = ScheduleJson::apply(s, demo.object()); !e.isEmpty()) {
            broken("the demo ward does not import", e);
        }
        // Six weeks keep every input fast; the demo's days in December stay.
        if (!s.changeDateRange(QDate(2026, 12, 6), QDate(2027, 1, 16)) || !s.closeAll()) {
            broken("cannot shorten the demo ward", s.errorString());
        }
    }
    TemplateSet set;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile member(dir.filePath(name));
        if (!member.open(QIODevice::ReadOnly)) {
            broken("cannot read a template member", name);
        }
        set.m_members.emplace_back(name, member.readAll());
    }
    return set;
}

void TemplateSet::writeTo(const QString& folder) const {
    for (const auto& [name, bytes] : m_members) {
        FuzzScratch::writeFile(folder + QLatin1Char('/') + name,
                               std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                         static_cast<std::size_t>(bytes.size())));
    }
}

void openWorkingSet(Schedule& s) {
    if (!s.loadSettings(kToday).ok || !s.openAll()) {
        broken("a working set in a writable folder did not open", s.errorString());
    }
    checkOpenSchedule(s);
}

QByteArray readEverything(const Schedule& s) {
    QByteArray out;
    append(out, stored(s.settings()));
    out.append(QByteArray::number(s.dayCount()) + ' ' + QByteArray::number(s.firstShownDay()) +
               ' ' + QByteArray::number(s.viewFormatNumber()) + ' ');
    append(out, stored(s.employees()));
    for (int n = 1; n <= ShiftRecord::kCount; ++n) {
        append(out, stored(s.shift(n)));
    }
    append(out, stored(s.explanations()));
    for (int n = 1; n <= ViewFormat::kCount; ++n) {
        append(out, stored(s.readViewFormat(n).value_or(ViewFormat{})));
    }
    for (int n = 1; n <= QueryRecord::kCount; ++n) {
        append(out, stored(s.readQuery(n).value_or(QueryRecord{})));
    }
    for (int n = 1; n <= s.noteCount(); ++n) {
        out.append(s.readNote(n).toUtf8() + '\n');
    }
    for (int d = 1; d <= s.dayCount(); ++d) {
        const auto day = s.readDay(d);
        if (!day) {
            broken("cannot read a day of an open schedule", QString::number(d));
        }
        append(out, day->toBytes());
    }
    return out;
}

void checkSurvivesReopen(Schedule& s, const QString& folder) {
    checkOpenSchedule(s);
    if (!s.flush()) {
        broken("flushing a schedule in a writable folder failed", s.errorString());
    }
    const QByteArray before = readEverything(s);
    if (!s.closeAll()) {
        broken("closing a schedule in a writable folder failed", s.errorString());
    }
    Schedule again(folder, usEnglish());
    openWorkingSet(again);
    if (readEverything(again) != before) {
        broken("an imported schedule reads back differently after closing it");
    }
    if (!again.closeAll()) {
        broken("closing the reopened schedule failed", again.errorString());
    }
}

DemoWardTarget startDemoWardTarget(const char* purpose) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    static const FuzzScratch folder(purpose);
    static const TemplateSet set =
        TemplateSet::demoWard(folder.makeFolder(QStringLiteral("template")));
    folder.clear();
    return {&folder, &set};
}

} // namespace kalmur::fuzz
