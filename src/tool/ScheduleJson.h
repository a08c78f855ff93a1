#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <functional>

namespace kalmur {

class Schedule;

// The whole schedule as one JSON object, and back. The form is documented in
// docs/schedule-json.md.
namespace ScheduleJson {

// The open schedule (flushed or not) as stored.
QJsonObject dump(const Schedule& schedule);

// Writes dump(schedule) as compact JSON, the same bytes as
// QJsonDocument(dump(schedule)).toJson(QJsonDocument::Compact), handing it
// to `write` piece by piece: only one day is held in memory at a time.
void writeCompact(const Schedule& schedule, const std::function<void(const QByteArray&)>& write);

// Applies any subset of the top-level keys to the open schedule: array entries
// are matched by their "number" / "row" / "day" / "slot" key and replace only
// the fields they name; "notes" replaces the note file; "start"/"end" that
// differ from the schedule's run the date-range rebuild first. Returns an
// empty text on success, otherwise what was refused (the schedule may then be
// partly changed and must not be saved).
QString apply(Schedule& schedule, const QJsonObject& data);

} // namespace ScheduleJson

} // namespace kalmur
