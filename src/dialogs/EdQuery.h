#pragma once

#include "CriteriaDialog.h"

namespace kalmur {

// "Edit Query": the title, criteria and note text of saved query 1..10, read
// from the query file when it opens and written back as its record on OK.
// Cancel writes nothing.
class EdQuery : public CriteriaDialog {
    Q_OBJECT
public:
    EdQuery(ProgramState& state, Platform& platform, int number, QWidget* parent = nullptr);

    void reject() override;

private:
    QString defaultTitle() const override;
    void onOk() override;

    int m_number;
    QLineEdit* m_searchNote = nullptr;
};

// Shows "Edit Query" beside `parent` for saved query `number` (1..10). True
// when OK stored it.
bool editQuery(ProgramState& state, Platform& platform, int number, QWidget* parent);

} // namespace kalmur
