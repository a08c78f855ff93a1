#pragma once

#include "JsonIn.h"
#include "model/records/CoverageLine.h"
#include "model/records/QueryRecord.h"
#include "model/records/ReportSetup.h"
#include "model/records/ShiftRecord.h"
#include "model/records/ViewFormat.h"

#include <QJsonArray>
#include <QJsonObject>

namespace kalmur::RecordJson {

// Numbers in the JSON form: Singles and Currency amounts rounded to four
// decimals; values that are no number (a damaged file) show as 0.
double rounded(double value);
// "HH:MM" of a time of day stored as a date.
QString timeText(double value);

// A JSON array of every element.
template <typename Array>
QJsonArray jsonArray(const Array& values) {
    QJsonArray list;
    for (const auto& v : values) {
        list.append(v);
    }
    return list;
}

QJsonObject toJson(const ReportSetup& setup);
void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, ReportSetup& setup);

// The fields of a coverage line; queries add theirs.
QJsonObject toJson(const CoverageLine& line);
void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, CoverageLine& line);

QJsonObject toJson(const QueryRecord& query, int number);
void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, QueryRecord& query);

QJsonObject toJson(const ShiftRecord& shift, int number);
void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, ShiftRecord& shift);

QJsonObject toJson(const ViewFormat& format, int number);
void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, ViewFormat& format);

} // namespace kalmur::RecordJson
