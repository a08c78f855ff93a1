#include "ICalendarExport.h"

#include "export/IcsExport.h"
#include "files/ProgramState.h"
#include "platform/Platform.h"

#include <QDir>

namespace kalmur {

bool exportICalendar(Platform& platform, QWidget* parent, const ProgramState& state,
                     const std::vector<int>& rows, QDate start, int days, const QString& folder) {
    IcsExportRequest request;
    // The file name as kalmur-tool sees it, so both give the same UIDs.
    const ScheduleLocation& location = state.archive().currentLocation();
    request.archiveFileName = location.name() + location.extension();
    request.rows = rows;
    request.start = start;
    request.days = days;
    request.folder = folder;
    request.stamp = platform.clock().currentDateTime().toUTC();
    IcsExportResult result;
    {
        const BusyCursor busy(platform);
        result = writeIcsFiles(state.schedule(), request);
    }
    MessageRequest message;
    if (!result.ok()) {
        message.text = result.error;
        message.title = QStringLiteral("Error");
        platform.warn(parent, message);
        return false;
    }
    message.text = QStringLiteral("%1 iCalendar file(s) written to %2.")
                       .arg(result.files.size())
                       .arg(QDir::toNativeSeparators(folder));
    message.title = QStringLiteral("Export iCalendar");
    message.icon = MessageIcon::Information;
    platform.message(parent, message);
    return true;
}

} // namespace kalmur
