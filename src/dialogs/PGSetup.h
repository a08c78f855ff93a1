#pragma once

#include "ReportSetupRules.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace kalmur {

class Platform;
class ProgramState;

// "Report Setup": the page setup of one report on three pages (general, margins,
// colour and shading), adapted to the report. It edits `working` in place:
// margins and font as they are edited, the rest on OK. Cancel sets the
// dialog-cancelled flag and the caller drops the working copy.
class PGSetup : public QDialog {
    Q_OBJECT
public:
    PGSetup(ReportSetup& working, ReportKind kind, ProgramState& state, Platform& platform,
            QWidget* parent = nullptr);

    void reject() override;

private:
    void build(const ReportSetupRules::Adaptation& adaptation);
    QWidget* buildGeneral();
    QWidget* buildMargins();
    QWidget* buildColour(const ReportSetupRules::Adaptation& adaptation);
    void load();
    void showMargins();
    void showFont();
    void marginEdited(std::size_t index);
    void commitMargins();
    void onFont();
    void onOk();

    ReportSetup& m_working;
    ProgramState& m_state;
    Platform& m_platform;

    QTabWidget* m_pages = nullptr;
    QLineEdit* m_title = nullptr;
    QComboBox* m_quality = nullptr;
    QComboBox* m_orientation = nullptr;
    QCheckBox* m_useScreenFont = nullptr;
    QPushButton* m_fontButton = nullptr;
    QLabel* m_fontDescription = nullptr;
    QCheckBox* m_centimeters = nullptr;
    std::array<QLineEdit*, 4> m_margins{}; // top, bottom, left, right
    QCheckBox* m_inColor = nullptr;
    QGroupBox* m_shading = nullptr;
    QCheckBox* m_shadeRuler = nullptr;
    QCheckBox* m_shadeCoverage = nullptr;
    QComboBox* m_shadePercent = nullptr;
};

} // namespace kalmur
