#pragma once

#include "editor/ScheduleDialogs.h"

namespace kalmur {

class Platform;

// The schedule dialogs as the program shows them: "Set File Properties",
// "Password?", the "Adjusting Schedule File" progress window, the definition
// dialogs, "Change Page", "Find Name", "Report Setup", "Printer Setup", the
// query windows and the about box.
class WidgetScheduleDialogs : public ScheduleDialogs {
public:
    explicit WidgetScheduleDialogs(Platform& platform);

    std::optional<DateRange> newScheduleProperties(QWidget* parent, ProgramState& state) override;
    std::optional<DateRange> editProperties(QWidget* parent, ProgramState& state) override;
    bool askPassword(QWidget* parent, ProgramState& state) override;
    std::unique_ptr<ProgressDisplay> rebuildProgress(QWidget* parent) override;
    std::optional<ScheduleLocation> convertOldSchedule(QWidget* parent, ProgramState& state,
                                                       const QString& oldSchedulePath) override;
    bool editShifts(QWidget* parent, ProgramState& state, const QString& editTimeFormat) override;
    bool editExplanations(QWidget* parent, ProgramState& state) override;
    std::optional<QDate> changePage(QWidget* parent, const PagerRules& rules,
                                    QDate firstShown) override;
    std::optional<int> findName(QWidget* parent, const QList<FindNameEntry>& rows) override;
    bool editViewFormat(QWidget* parent, ProgramState& state, const std::function<void()>& relayout,
                        const std::function<void(QWidget*)>& print) override;
    void printSchedule(QWidget* parent, ProgramState& state, const PrintDays::Grid& grid) override;
    void estimateCost(QWidget* parent, ProgramState& state, const PrintDays::Grid& grid) override;
    void legend(QWidget* parent, ProgramState& state) override;
    void personalReport(QWidget* parent, ProgramState& state, ReportKind kind,
                        const PrintDays::Grid& grid) override;
    bool editCoverageLine(QWidget* parent, ProgramState& state, int line) override;
    bool reportSetup(QWidget* parent, ProgramState& state, ReportKind kind,
                     ReportSetup& working) override;
    void choosePrinter(QWidget* parent) override;
    std::optional<PasteOptions> selectivePaste(QWidget* parent,
                                               const PasteOptions& current) override;
    std::optional<CopyMultipleJob> copyMultiple(QWidget* parent,
                                                const CopyMultipleSetup& setup) override;
    void about(QWidget* parent) override;
    void query(QWidget* parent, ProgramState& state, const DateRange& days) override;
    bool editQuery(QWidget* parent, ProgramState& state, int number) override;
    void queryFound(QWidget* parent, ProgramState& state, const QueryRun::Result& result) override;

private:
    std::optional<DateRange> properties(QWidget* parent, ProgramState& state, bool newSchedule);

    Platform& m_platform;
};

} // namespace kalmur
