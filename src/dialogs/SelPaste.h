#pragma once

#include "editor/PasteRules.h"

#include <QDialog>

#include <array>

class QCheckBox;

namespace kalmur {

// "Selective Paste": which kinds of cell content a paste carries, and whether
// they may replace what the target cells hold.
class SelPaste : public QDialog {
    Q_OBJECT
public:
    explicit SelPaste(const PasteOptions& current, QWidget* parent = nullptr);

    // The choices the check boxes show.
    PasteOptions chosen() const;

private:
    std::array<QCheckBox*, 5> m_kinds{};
    QCheckBox* m_overwrite = nullptr;
};

} // namespace kalmur
