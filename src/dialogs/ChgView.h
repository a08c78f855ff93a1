#pragma once

#include "ViewFormatEdit.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace kalmur {

class Platform;
class ProgramState;

// "Edit Schedule Format": the current view format's name, cell contents for
// screen and report, switches, time and ruler formats, days on screen, visible
// coverage totals and screen font. Apply and OK store and apply the format at
// once; Cancel puts back the format as the file held it when the dialog opened;
// Print... applies it and then goes on to printing.
class ChgView : public QDialog {
    Q_OBJECT
public:
    // `print` opens the print window over this dialog (Print...).
    ChgView(ProgramState& state, Platform& platform, ViewFormatEdit::Relayout relayout,
            QWidget* parent = nullptr, std::function<void(QWidget*)> print = {});

    void reject() override;

private:
    void build();
    QWidget* buildCellContents();
    QWidget* buildProperties();
    void fill();
    void showFontSample();
    void itemChosen(int row, int index);
    int itemCode(int row) const;
    ViewFormatRules::Input collect() const;
    bool storeAndApply();
    void onOk();
    void onPrint();
    void onFont();

    ProgramState& m_state;
    Platform& m_platform;
    ViewFormatEdit m_edit;
    std::function<void(QWidget*)> m_print;
    // The entry each cell-content row showed before the current choice.
    std::array<int, ViewFormat::kCellRows> m_previousItem{};

    QLineEdit* m_name = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::array<QComboBox*, ViewFormat::kCellRows> m_items{};
    std::array<QCheckBox*, ViewFormat::kCellRows> m_screen{};
    std::array<QCheckBox*, ViewFormat::kCellRows> m_report{};
    std::array<QCheckBox*, ViewFormatRules::kTieBoxes> m_tie{};
    QCheckBox* m_symbols = nullptr;
    QCheckBox* m_abbreviations = nullptr;
    QCheckBox* m_timeOff = nullptr;
    QCheckBox* m_hidePosition = nullptr;
    QLineEdit* m_days = nullptr;
    QLineEdit* m_coverage = nullptr;
    QComboBox* m_timeFormat = nullptr;
    QComboBox* m_rulerDay = nullptr;
    QComboBox* m_rulerDate = nullptr;
    QPushButton* m_fontSample = nullptr;
};

// Shows "Edit Schedule Format" over `parent` for the open schedule;
// `relayout` lays the grid out again whenever the format is applied. True when
// the dialog was closed with OK. `print` opens the print window (Print...).
bool editViewFormat(ProgramState& state, Platform& platform, ViewFormatEdit::Relayout relayout,
                    QWidget* parent, std::function<void(QWidget*)> print = {});

} // namespace kalmur
