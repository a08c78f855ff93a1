#include "IcsCalendar.h"

#include "IcsZone.h"

#include <QUrl>

#include <libical/ical.h>

#include <memory>

namespace kalmur::IcsCalendar {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

icaltimetype dateValue(QDate date) {
    icaltimetype t = icaltime_null_date();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    return t;
}

QByteArray utf8(const QString& text) {
    return text.toUtf8();
}

icalcomponent* event(const CellEvent& e, const IcsEmployee& employee,
                     const QString& archiveFileName, const IcsZone& zone, icaltimetype stamp) {
    icalcomponent* ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(
        ev, icalproperty_new_uid(utf8(uid(archiveFileName, employee.slot, e.date)).constData()));
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
    if (e.allDay) {
        icalcomponent_add_property(ev, icalproperty_new_dtstart(dateValue(e.date)));
        icalcomponent_add_property(ev, icalproperty_new_dtend(dateValue(e.date.addDays(1))));
        icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    } else {
        icalcomponent_add_property(ev, zone.timeProperty(ICAL_DTSTART_PROPERTY, e.date, e.start));
        const QDate endDate = e.endsNextDay ? e.date.addDays(1) : e.date;
        icalcomponent_add_property(ev, zone.timeProperty(ICAL_DTEND_PROPERTY, endDate, e.end));
    }
    icalcomponent_add_property(ev, icalproperty_new_summary(utf8(e.summary).constData()));
    if (!employee.position.isEmpty()) {
        icalcomponent_add_property(ev,
                                   icalproperty_new_location(utf8(employee.position).constData()));
    }
    if (!e.details.isEmpty()) {
        const QByteArray description = utf8(e.details.join(QLatin1Char('\n')));
        icalcomponent_add_property(ev, icalproperty_new_description(description.constData()));
    }
    return ev;
}

} // namespace

QString uid(const QString& archiveFileName, int slot, QDate date) {
    return QStringLiteral("%1-%2-%3@kalmur-pro")
        .arg(date.toString(QStringLiteral("yyyyMMdd")))
        .arg(slot, 3, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(archiveFileName)));
}

QByteArray text(const IcsEmployee& employee, const QString& archiveFileName, const IcsZone& zone,
                QDate firstDate, const QDateTime& stamp) {
    const Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Kalmur Pro//Kalmur Pro 2.0//EN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    // The name a calendar program gives the calendar when it subscribes.
    icalproperty* name = icalproperty_new_x(utf8(employee.name).constData());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);
    if (icalcomponent* vtz = zone.vtimezone(firstDate.addDays(-1))) {
        icalcomponent_add_component(calendar.get(), vtz);
    }
    const icaltimetype when = icaltime_from_timet_with_zone(
        static_cast<time_t>(stamp.toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone());
    for (const CellEvent& e : employee.events) {
        icalcomponent_add_component(calendar.get(),
                                    event(e, employee, archiveFileName, zone, when));
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

} // namespace kalmur::IcsCalendar
