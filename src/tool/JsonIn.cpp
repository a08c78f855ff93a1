#include "JsonIn.h"

#include <QTime>

#include <cmath>

namespace kalmur {

namespace {
QString at(const QString& path, const char* key) {
    return path.isEmpty() ? QLatin1String(key) : path + QLatin1Char('.') + QLatin1String(key);
}
} // namespace

QString JsonIn::element(const QString& path, const char* key, std::size_t index) {
    return at(path, key) + QStringLiteral("[%1]").arg(index);
}

void JsonIn::fail(const QString& path, const QString& what) {
    if (m_error.isEmpty()) {
        QString where = path;
        if (where.endsWith(QLatin1String(".value"))) {
            where.chop(6); // an element of a positional array
        }
        m_error = where + QStringLiteral(": ") + what;
    }
}

bool JsonIn::readNumber(const QJsonObject& o, const QString& path, const char* key, double& value) {
    if (!ok() || !o.contains(QLatin1String(key))) {
        return false;
    }
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble()) {
        fail(at(path, key), QStringLiteral("expected a number"));
        return false;
    }
    value = v.toDouble();
    return true;
}

bool JsonIn::readInteger(const QJsonObject& o, const QString& path, const char* key,
                         std::int64_t low, std::int64_t high, std::int64_t& value) {
    double d = 0;
    if (!readNumber(o, path, key, d)) {
        return false;
    }
    if (d != std::floor(d) || d < static_cast<double>(low) || d > static_cast<double>(high)) {
        fail(at(path, key),
             QStringLiteral("expected a whole number from %1 to %2").arg(low).arg(high));
        return false;
    }
    value = static_cast<std::int64_t>(d);
    return true;
}

void JsonIn::boolean(const QJsonObject& o, const QString& path, const char* key, bool& field) {
    if (!ok() || !o.contains(QLatin1String(key))) {
        return;
    }
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isBool()) {
        fail(at(path, key), QStringLiteral("expected true or false"));
        return;
    }
    field = v.toBool();
}

void JsonIn::single(const QJsonObject& o, const QString& path, const char* key, float& field) {
    double d = 0;
    if (!readNumber(o, path, key, d)) {
        return;
    }
    if (!std::isfinite(static_cast<float>(d))) {
        fail(at(path, key), QStringLiteral("number out of range"));
        return;
    }
    field = static_cast<float>(d);
}

void JsonIn::currency(const QJsonObject& o, const QString& path, const char* key,
                      std::int64_t& field) {
    double d = 0;
    if (!readNumber(o, path, key, d)) {
        return;
    }
    // Whole ten-thousandths up to the range a double holds exactly.
    if (std::fabs(d) > 9e11) {
        fail(at(path, key), QStringLiteral("amount out of range"));
        return;
    }
    field = std::llround(d * 10000.0);
}

void JsonIn::text(const QJsonObject& o, const QString& path, const char* key, QString& field) {
    if (!ok() || !o.contains(QLatin1String(key))) {
        return;
    }
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isString()) {
        fail(at(path, key), QStringLiteral("expected a text"));
        return;
    }
    field = v.toString();
}

void JsonIn::time(const QJsonObject& o, const QString& path, const char* key, double& field) {
    QString text;
    if (!ok() || !o.contains(QLatin1String(key))) {
        return;
    }
    this->text(o, path, key, text);
    const QTime t = QTime::fromString(text, QStringLiteral("HH:mm"));
    if (!ok()) {
        return;
    }
    if (!t.isValid() || text.size() != 5) {
        fail(at(path, key), QStringLiteral("expected a time of day HH:MM"));
        return;
    }
    field = (t.hour() * 60 + t.minute()) / 1440.0;
}

bool JsonIn::object(const QJsonObject& o, const QString& path, const char* key, QJsonObject& out) {
    if (!ok() || !o.contains(QLatin1String(key))) {
        return false;
    }
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isObject()) {
        fail(at(path, key), QStringLiteral("expected an object"));
        return false;
    }
    out = v.toObject();
    return true;
}

bool JsonIn::array(const QJsonObject& o, const QString& path, const char* key, int count,
                   QJsonArray& out) {
    if (!ok() || !o.contains(QLatin1String(key))) {
        return false;
    }
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isArray() || (count >= 0 && v.toArray().size() != count)) {
        fail(at(path, key), count >= 0 ? QStringLiteral("expected an array of %1 values").arg(count)
                                       : QStringLiteral("expected an array"));
        return false;
    }
    out = v.toArray();
    return true;
}

void JsonIn::entries(const QJsonObject& o, const QString& path, const char* key,
                     const char* keyName, int low, int high,
                     const std::function<void(const QJsonObject&, const QString&, int)>& each) {
    QJsonArray list;
    if (!array(o, path, key, -1, list)) {
        return;
    }
    for (qsizetype i = 0; i < list.size() && ok(); ++i) {
        const QString itemPath = at(path, key) + QStringLiteral("[%1]").arg(i);
        if (!list[i].isObject()) {
            fail(itemPath, QStringLiteral("expected an object"));
            return;
        }
        const QJsonObject item = list[i].toObject();
        if (!item.contains(QLatin1String(keyName))) {
            fail(itemPath, QStringLiteral("\"%1\" is missing").arg(QLatin1String(keyName)));
            return;
        }
        int number = 0;
        integer(item, itemPath, keyName, number, low, high);
        if (ok()) {
            each(item, itemPath, number);
        }
    }
}

} // namespace kalmur
