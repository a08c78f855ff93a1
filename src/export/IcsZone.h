#pragma once

#include <QByteArray>
#include <QDate>
#include <QTime>
#include <QTimeZone>

#include <libical/ical.h>

namespace kalmur {

// The time zone that exported times carry: the machine's (or a named one),
// written as a TZID with its VTIMEZONE so that a calendar in another zone shows
// the right hour. When libical knows no such zone the times are written in UTC
// instead, converted with Qt's knowledge of the zone.
class IcsZone {
public:
    // `zoneId` is an IANA name such as "Europe/Berlin"; empty: the machine's zone.
    explicit IcsZone(QByteArray zoneId = {});

    // The TZID the times carry; empty when they are written in UTC.
    const QByteArray& tzid() const { return m_tzid; }
    // A new VTIMEZONE holding the rules from `from` on, owned by the caller;
    // nullptr when the times are written in UTC.
    icalcomponent* vtimezone(QDate from) const;
    // A new DTSTART or DTEND property for a wall-clock time of the zone.
    icalproperty* timeProperty(icalproperty_kind kind, QDate date, QTime time) const;

private:
    icaltimezone* m_zone = nullptr; // libical's, never freed here
    QTimeZone m_qtZone;
    QByteArray m_tzid;
};

} // namespace kalmur
