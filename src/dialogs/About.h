#pragma once

#include <QDialog>

namespace kalmur {

// "About Kalmur Pro": the logo, the product name and version, and OK.
class About : public QDialog {
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);
};

} // namespace kalmur
