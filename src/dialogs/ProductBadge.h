#pragma once

#include <QPixmap>

class QWidget;

namespace kalmur {

// The product's face shared by the splash window and the about box: the logo
// panel (`Image1`), the name panel (`Label1`, `Label2`), the raised label with
// the registered sign (`Label3`) and the version line.
class ProductBadge {
public:
    static constexpr const char* kVersion = "Version 2.0 (32bit)";

    // The logo drawn at `size` pixels square: a calendar page over a blue tile.
    static QPixmap logo(int size);

    // Builds the panels into `parent` with a layout of their own.
    static void build(QWidget* parent);
};

} // namespace kalmur
