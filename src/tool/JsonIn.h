#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <array>
#include <cmath>

#include <cstdint>
#include <functional>

namespace kalmur {

// Reads fields of an imported JSON document into records. Every field is
// optional: a missing key leaves the record's value as it is. A present key of
// the wrong type or out of its field's range is an error; the first error is
// kept, with the path of the value, and later reads do nothing.
class JsonIn {
public:
    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    void fail(const QString& path, const QString& what);

    // Integers of the field's storage type, checked against [low, high].
    template <typename T>
    void integer(const QJsonObject& o, const QString& path, const char* key, T& field,
                 std::int64_t low, std::int64_t high) {
        std::int64_t value = 0;
        if (readInteger(o, path, key, low, high, value)) {
            field = static_cast<T>(value);
        }
    }
    void boolean(const QJsonObject& o, const QString& path, const char* key, bool& field);
    void single(const QJsonObject& o, const QString& path, const char* key, float& field);
    // A Currency amount given as a decimal number.
    void currency(const QJsonObject& o, const QString& path, const char* key, std::int64_t& field);
    // A text, cut to the field's width when it is written.
    void text(const QJsonObject& o, const QString& path, const char* key, QString& field);
    // A time of day "HH:MM" (24-hour), stored as a date on day 0.
    void time(const QJsonObject& o, const QString& path, const char* key, double& field);

    // Calls `each` for every element of an array of objects; `keyName` is the
    // key that numbers an element ("number", "row", ...), required and
    // checked against [low, high].
    void entries(const QJsonObject& o, const QString& path, const char* key, const char* keyName,
                 int low, int high,
                 const std::function<void(const QJsonObject&, const QString&, int)>& each);
    // A nested object; false (and an error when present but no object) otherwise.
    bool object(const QJsonObject& o, const QString& path, const char* key, QJsonObject& out);
    // An array of exactly `count` values, or of any length when count is -1.
    bool array(const QJsonObject& o, const QString& path, const char* key, int count,
               QJsonArray& out);
    // A complete positional array of integers or booleans.
    template <typename T, std::size_t N>
    void integers(const QJsonObject& o, const QString& path, const char* key,
                  std::array<T, N>& field, std::int64_t low, std::int64_t high) {
        QJsonArray list;
        if (!array(o, path, key, static_cast<int>(N), list)) {
            return;
        }
        std::array<T, N> values = field;
        for (std::size_t i = 0; i < N; ++i) {
            const QJsonObject one{{"value", list[static_cast<qsizetype>(i)]}};
            integer(one, element(path, key, i), "value", values[i], low, high);
        }
        if (ok()) {
            field = values;
        }
    }
    template <std::size_t N>
    void booleans(const QJsonObject& o, const QString& path, const char* key,
                  std::array<bool, N>& field) {
        QJsonArray list;
        if (!array(o, path, key, static_cast<int>(N), list)) {
            return;
        }
        std::array<bool, N> values = field;
        for (std::size_t i = 0; i < N; ++i) {
            const QJsonObject one{{"value", list[static_cast<qsizetype>(i)]}};
            boolean(one, element(path, key, i), "value", values[i]);
        }
        if (ok()) {
            field = values;
        }
    }
    // Marks of a coverage line or query: the indexes that are set.
    template <std::size_t N>
    void marks(const QJsonObject& o, const QString& path, const char* key,
               std::array<std::uint8_t, N>& field, int first) {
        QJsonArray list;
        if (!o.contains(QLatin1String(key)) || !array(o, path, key, -1, list)) {
            return;
        }
        std::array<std::uint8_t, N> marks{};
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QJsonValue v = list[i];
            const double d = v.toDouble(-1);
            // Checked as a number first: one past the range of an integer has
            // no integer value to compare.
            if (!v.isDouble() || d != std::floor(d) || d < first ||
                d >= first + static_cast<double>(N)) {
                fail(path + QLatin1Char('.') + QLatin1String(key),
                     QStringLiteral("entries must be whole numbers from %1 to %2")
                         .arg(first)
                         .arg(first + static_cast<int>(N) - 1));
                return;
            }
            marks[static_cast<std::size_t>(static_cast<std::int64_t>(d) - first)] = 1;
        }
        field = marks;
    }

private:
    static QString element(const QString& path, const char* key, std::size_t index);
    bool readInteger(const QJsonObject& o, const QString& path, const char* key, std::int64_t low,
                     std::int64_t high, std::int64_t& value);
    bool readNumber(const QJsonObject& o, const QString& path, const char* key, double& value);

    QString m_error;
};

} // namespace kalmur
