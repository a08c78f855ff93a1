#include "CostCsv.h"

#include "CommandInput.h"
#include "Csv.h"
#include "ToolSession.h"
#include "reports/CostReport.h"
#include "reports/PrintDays.h"

namespace kalmur::CostCsv {

int run(const QString& archive, const QMap<QString, QString>& values, QTextStream& out,
        QTextStream& err) {
    const CommandInput::Run request = CommandInput::readRun(values);
    if (!request.usage.isEmpty()) {
        err << "kalmur-tool: " << request.usage << "\nusage: kalmur-tool " << kUsage << Qt::endl;
        return CommandInput::kUsage;
    }
    auto refuse = [&](const QString& message) {
        err << "kalmur-tool: " << message << Qt::endl;
        return CommandInput::kRefused;
    };
    if (!request.refusal.isEmpty()) {
        return refuse(request.refusal);
    }
    if (const QString e = PrintDays::daysError(request.days); !e.isEmpty()) {
        return refuse(e);
    }
    ToolSession session;
    if (const QString e = CommandInput::openExisting(session, archive); !e.isEmpty()) {
        return refuse(e);
    }
    const Schedule& schedule = session.schedule();
    if (!CostReport::rangeAvailable(request.start, request.days, schedule.startDate(),
                                    schedule.endDate())) {
        return refuse(CostReport::kRangeRefusal);
    }
    const auto table =
        CostReport::table(schedule, CommandInput::namedRows(schedule.employees(), request.rows),
                          request.start, request.days);
    if (!table) {
        return refuse(schedule.errorString());
    }
    QString text;
    for (const QStringList& line : *table) {
        text += Csv::line(line);
    }
    out << text;
    out.flush();
    return CommandInput::kOk;
}

} // namespace kalmur::CostCsv
