#include "HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kalmur {

HelpViewer::HelpViewer(QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Kalmur Pro Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 600);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpText"));
    m_browser->setOpenExternalLinks(true);

    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    contents->setObjectName(QStringLiteral("HelpContents"));
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    back->setObjectName(QStringLiteral("HelpBack"));
    back->setEnabled(false);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    forward->setObjectName(QStringLiteral("HelpForward"));
    forward->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("HelpClose"));

    connect(contents, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
}

QString HelpViewer::topicAnchor(int topic) {
    return QStringLiteral("topic%1").arg(topic < 1 ? 1 : topic);
}

bool HelpViewer::openFile(const QString& path, int topic) {
    m_path = path;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        m_browser->setHtml(QStringLiteral("<h2>Help is not available</h2>"
                                          "<p>The help file <b>%1</b> cannot be found.</p>")
                               .arg(QDir::toNativeSeparators(path).toHtmlEscaped()));
        return false;
    }
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setFragment(topicAnchor(topic));
    m_browser->setSource(url, QTextDocument::HtmlResource);
    m_browser->scrollToAnchor(topicAnchor(topic));
    if (topic <= 1) {
        // The contents open the manual at its very top, title included.
        m_browser->verticalScrollBar()->setValue(0);
    }
    return true;
}

void HelpViewer::showContents() {
    if (!m_path.isEmpty()) {
        openFile(m_path, 1);
    }
}

} // namespace kalmur
