#include "IcsZone.h"

#include <QDateTime>

namespace kalmur {

IcsZone::IcsZone(QByteArray zoneId) {
    if (zoneId.isEmpty()) {
        zoneId = QTimeZone::systemTimeZoneId();
    }
    m_qtZone = QTimeZone(zoneId);
    if (!m_qtZone.isValid()) {
        m_qtZone = QTimeZone::systemTimeZone();
    }
    // libical builds the zone from the system's zone database. Its UTC zone
    // has no VTIMEZONE: such times are written in UTC.
    m_zone = zoneId.isEmpty() ? nullptr : icaltimezone_get_builtin_timezone(zoneId.constData());
    if (m_zone && icaltimezone_get_component(m_zone)) {
        m_tzid = zoneId;
    } else {
        m_zone = nullptr;
    }
}

icalcomponent* IcsZone::vtimezone(QDate from) const {
    if (!m_zone) {
        return nullptr;
    }
    icalcomponent* vtz = icalcomponent_new_clone(icaltimezone_get_component(m_zone));
    // libical names its zones with a prefix of its own; calendars look the zone
    // up by its plain name, so the TZID is that name.
    if (icalproperty* id = icalcomponent_get_first_property(vtz, ICAL_TZID_PROPERTY)) {
        icalproperty_set_tzid(id, m_tzid.constData());
    }
    // Only the rules in force from the first day on, not the zone's whole history.
    icaltimetype start = icaltime_null_time();
    start.year = from.year();
    start.month = from.month();
    start.day = from.day();
    icaltimezone_truncate_vtimezone(vtz, start, icaltime_null_time(), 1);
    return vtz;
}

icalproperty* IcsZone::timeProperty(icalproperty_kind kind, QDate date, QTime time) const {
    icaltimetype t = icaltime_null_time();
    if (m_zone) {
        t.year = date.year();
        t.month = date.month();
        t.day = date.day();
        t.hour = time.hour();
        t.minute = time.minute();
    } else {
        const QDateTime utc = QDateTime(date, time, m_qtZone).toUTC();
        t = icaltime_from_timet_with_zone(static_cast<time_t>(utc.toSecsSinceEpoch()), 0,
                                          icaltimezone_get_utc_timezone());
    }
    icalproperty* p =
        kind == ICAL_DTEND_PROPERTY ? icalproperty_new_dtend(t) : icalproperty_new_dtstart(t);
    if (m_zone) {
        icalproperty_add_parameter(p, icalparameter_new_tzid(m_tzid.constData()));
    }
    return p;
}

} // namespace kalmur
