#pragma once

#include "reports/LegendReport.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kalmur {

class Platform;
class ProgramState;
class ReportProgress;
class TabStopDelegate;

// "Legend": the schedule's shifts, reserved marks and explanations with their
// abbreviations, times, lengths and quick keys, in columns under seven
// caption panels. "Edit" (or a double click) opens the definition of the
// selected line; the print options go into the legend's setup at once.
class Legend : public QDialog {
    Q_OBJECT
public:
    Legend(ProgramState& state, Platform& platform, QWidget* parent = nullptr);

    // The definition dialogs, opened on one shift (1..102) or explanation
    // (1..99); each returns true when the definitions were accepted.
    struct Editors {
        std::function<bool(int)> shift;
        std::function<bool(int)> explanation;
    };
    void setEditors(Editors editors);
    // "Report Setup..." edits the legend's setup through this hook; the
    // button is disabled until one is given.
    void setReportSetup(std::function<void(QWidget* over)> edit);

    const std::vector<LegendLine>& lines() const { return m_lines; }
    // Opens the definition of list position `row` and shows the list again.
    void editLine(int row);

    // "Print": prints now; how the run ended (nothing when it never started).
    std::optional<RunOutcome> print();
    // "Preview...": shows the same pages in the print preview.
    void preview();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void fill();
    void arrangeColumns();
    void onSelected(int row);
    void setOption(int index, bool on);
    void setRunning(bool running);
    LegendPrinter pages(const PrintFonts& fonts) const;

    ProgramState& m_state;
    Platform& m_platform;
    Editors m_editors;
    std::function<void(QWidget*)> m_editSetup;
    std::vector<LegendLine> m_lines;

    QWidget* m_form = nullptr;
    QWidget* m_captionRow = nullptr;
    std::array<QLabel*, 7> m_captions{};
    QListWidget* m_list = nullptr;
    TabStopDelegate* m_delegate = nullptr;
    std::array<QCheckBox*, 5> m_options{};
    QPushButton* m_edit = nullptr;
    QPushButton* m_setup = nullptr;
    QPushButton* m_print = nullptr;
    ReportProgress* m_panel = nullptr;
};

} // namespace kalmur
