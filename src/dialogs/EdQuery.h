#pragma once

#include <QDialog>

class QLineEdit;

namespace kalmur {

class CriteriaTabs;
class Platform;
class ProgramState;

// "Edit Query": the title, criteria and note text of saved query 1..10, read
// from the query file when it opens and written back as its record on OK.
// Cancel writes nothing.
class EdQuery : public QDialog {
    Q_OBJECT
public:
    EdQuery(ProgramState& state, Platform& platform, int number, QWidget* parent = nullptr);

    void reject() override;

private:
    void build();
    void onIgnoreClicked();
    void onRemove();
    void onOk();

    ProgramState& m_state;
    Platform& m_platform;
    int m_number;

    QLineEdit* m_title = nullptr;
    CriteriaTabs* m_tabs = nullptr;
    QLineEdit* m_searchNote = nullptr;
};

// Shows "Edit Query" beside `parent` for saved query `number` (1..10). True
// when OK stored it.
bool editQuery(ProgramState& state, Platform& platform, int number, QWidget* parent);

} // namespace kalmur
