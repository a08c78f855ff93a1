#include "ProductBadge.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <array>

namespace kalmur {

namespace {

QFrame* raisedPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    return panel;
}

} // namespace

QPixmap ProductBadge::logo(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0, QColor(0x2e, 0x75, 0xb6));
    tile.setColorAt(1, QColor(0x1b, 0x3f, 0x66));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.16, s * 0.16);

    // The calendar page with its red heading band.
    const QRectF page(s * 0.16, s * 0.2, s * 0.68, s * 0.64);
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, s * 0.05, s * 0.05);
    QPainterPath band;
    band.addRoundedRect(QRectF(page.left(), page.top(), page.width(), s * 0.16), s * 0.05,
                        s * 0.05);
    band.addRect(QRectF(page.left(), page.top() + s * 0.08, page.width(), s * 0.08));
    p.setBrush(QColor(0xc0, 0x39, 0x2b));
    p.drawPath(band.simplified());
    // Binding rings.
    p.setBrush(QColor(0xe8, 0xe8, 0xe8));
    for (const qreal x : {0.32, 0.68}) {
        p.drawRoundedRect(QRectF(s * x - s * 0.03, s * 0.13, s * 0.06, s * 0.13), s * 0.03,
                          s * 0.03);
    }

    // A week of shifts: four columns by three rows of cells.
    static const std::array<QColor, 12> cells{
        QColor(0x2e, 0x9d, 0x5a), QColor(0x2e, 0x9d, 0x5a), QColor(0xd0, 0xd0, 0xd0),
        QColor(0xf1, 0xc4, 0x0f), QColor(0xd0, 0xd0, 0xd0), QColor(0x2e, 0x75, 0xb6),
        QColor(0x2e, 0x75, 0xb6), QColor(0x2e, 0x9d, 0x5a), QColor(0xf1, 0xc4, 0x0f),
        QColor(0xd0, 0xd0, 0xd0), QColor(0x2e, 0x9d, 0x5a), QColor(0x2e, 0x75, 0xb6)};
    const qreal gap = s * 0.03;
    const qreal top = page.top() + s * 0.16 + gap;
    const qreal cellW = (page.width() - gap * 5) / 4;
    const qreal cellH = (page.bottom() - top - gap * 4) / 3;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            p.setBrush(cells[static_cast<std::size_t>(row * 4 + col)]);
            p.drawRect(QRectF(page.left() + gap + col * (cellW + gap), top + row * (cellH + gap),
                              cellW, cellH));
        }
    }
    return pixmap;
}

void ProductBadge::build(QWidget* parent) {
    QFrame* logoPanel = raisedPanel(parent);
    logoPanel->setObjectName(QStringLiteral("LogoPanel"));
    auto* image = new QLabel(logoPanel);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(logo(64));
    auto* logoLayout = new QVBoxLayout(logoPanel);
    logoLayout->setContentsMargins(8, 8, 8, 8);
    logoLayout->addWidget(image);

    QFrame* namePanel = raisedPanel(parent);
    namePanel->setObjectName(QStringLiteral("NamePanel"));
    auto* name = new QLabel(QStringLiteral("Kalmur"), namePanel);
    name->setObjectName(QStringLiteral("Label1"));
    QFont nameFont(QStringLiteral("Liberation Serif"), 26, QFont::Bold);
    name->setFont(nameFont);
    auto* pro = new QLabel(QStringLiteral("Pro"), namePanel);
    pro->setObjectName(QStringLiteral("Label2"));
    QFont proFont = nameFont;
    proFont.setItalic(true);
    pro->setFont(proFont);
    pro->setStyleSheet(QStringLiteral("color: #1b3f66"));
    auto* nameLayout = new QHBoxLayout(namePanel);
    nameLayout->setContentsMargins(14, 8, 14, 8);
    nameLayout->addWidget(name);
    nameLayout->addWidget(pro);

    auto* mark = new QLabel(parent);
    mark->setObjectName(QStringLiteral("Label3"));
    mark->setFrameStyle(QFrame::Panel | QFrame::Raised);
    mark->setLineWidth(2);
    mark->setAlignment(Qt::AlignCenter);
    mark->setText(QString(QChar(174)));
    QFont markFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold);
    mark->setFont(markFont);
    mark->setFixedSize(34, 34);

    auto* version = new QLabel(QString::fromLatin1(kVersion), parent);
    version->setObjectName(QStringLiteral("Version"));
    version->setAlignment(Qt::AlignCenter);
    QFont versionFont(QStringLiteral("Liberation Sans"), 10, QFont::Bold);
    version->setFont(versionFont);
    version->setStyleSheet(QStringLiteral("color: #1b3f66"));

    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(logoPanel);
    row->addWidget(namePanel, 1);
    row->addWidget(mark, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout(parent);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    column->addLayout(row);
    column->addWidget(version);
}

} // namespace kalmur
