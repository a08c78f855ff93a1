#pragma once

#include "CriteriaDialog.h"

namespace kalmur {

// "CoverageWatch": the title and criteria of one coverage line of the current
// view format. OK stores the line and writes the view format to its file;
// Cancel puts the view format back as it was when the dialog opened.
class Cover2 : public CriteriaDialog {
    Q_OBJECT
public:
    // `line` is 1..20.
    Cover2(ProgramState& state, Platform& platform, int line, QWidget* parent = nullptr);

    void reject() override;

    // The title a line takes when its filters are switched off while it is
    // still "undefined": "C" and its number.
    static QString defaultTitle(int line);

private:
    QString defaultTitle() const override { return defaultTitle(m_line); }
    void onOk() override;

    int m_line;
    ViewFormat m_backup;
};

// Shows "CoverageWatch" over `parent` for coverage line `line` (1..20) of the
// current view format. True when OK stored it: the caller redraws the
// captions and recounts every visible total.
bool editCoverageLine(ProgramState& state, Platform& platform, int line, QWidget* parent);

} // namespace kalmur
