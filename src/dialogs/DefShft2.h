#pragma once

#include "model/records/ShiftRecord.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalmur {

class LeaveFieldCheck;
class Platform;
class ProgramState;
class QuickKeyCapture;

// "Define Shifts": description, abbreviation, times, break, quick key and
// colour of the 99 shifts and the three marks (off, on call, note). It edits
// the schedule's shift table in place: the text fields of the shown shift go
// into the table whenever another one is chosen, a quick key or colour at
// once. OK writes the table to the shift file; Cancel reads it back from
// there, so the file is the only copy of the previous definitions meanwhile.
//
// The dialog-cancelled flag is set while the dialog opens and cleared by the
// first edit, so the caller refreshes only when something was edited.
class DefShft2 : public QDialog {
    Q_OBJECT
public:
    // `editTimeFormat`: "h:nna/p" or "hh:nn" (see editTimeFormat()).
    DefShft2(ProgramState& state, Platform& platform, QString editTimeFormat,
             QWidget* parent = nullptr);

    // The shift whose fields are shown (1..102), -1 before the first one.
    int currentShift() const { return m_current; }
    // Shows shift `number` (1..102), as if its entry had been clicked.
    void showShift(int number);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildColours();
    void fill();
    void onSelected(int row);
    void saveCurrent();
    void load();
    void recolour();
    void pickColour(int number);
    void pickQuickKey(std::uint8_t key);
    void showClash();
    void onDescriptionEdited(const QString& text);
    void onOk();
    void edited();
    ShiftRecord* current();
    double timeValue(const QString& text, double stored) const;

    ProgramState& m_state;
    Platform& m_platform;
    QString m_timeFormat;
    // The table as the dialog found it, to tell whether OK changed anything.
    std::array<ShiftRecord, ShiftRecord::kCount> m_opened{};
    int m_current = -1;
    int m_rememberedRow = 0;

    QLineEdit* m_description = nullptr;
    QLineEdit* m_abbr = nullptr;
    QLineEdit* m_startTime = nullptr;
    QLineEdit* m_endTime = nullptr;
    QLineEdit* m_breakLength = nullptr;
    QLineEdit* m_quickKey = nullptr;
    QListWidget* m_list = nullptr;
    QGroupBox* m_colours = nullptr;
    QLabel* m_clash = nullptr;
    QList<QWidget*> m_timedOnly;
    QuickKeyCapture* m_capture = nullptr;
    LeaveFieldCheck* m_startCheck = nullptr;
    LeaveFieldCheck* m_endCheck = nullptr;
    LeaveFieldCheck* m_breakCheck = nullptr;
};

// Shows "Define Shifts" over `parent` for the open schedule, on shift `first`
// (1..102) when given, otherwise on the first entry. True when the user edited
// something and left with OK: the caller then refills its shift list,
// rebuilds the quick keys and repaints the cells.
bool editShifts(ProgramState& state, Platform& platform, const QString& editTimeFormat,
                QWidget* parent, int first = 0);

} // namespace kalmur
