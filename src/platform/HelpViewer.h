#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace kalmur {

// The window that shows the help manual, an HTML document whose topics are
// anchors named "topic1", "topic2", ...; topic 1 is the contents.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* owner = nullptr);

    // Shows `topic` of the manual at `path`. A missing file is reported inside
    // the window; returns false then.
    bool openFile(const QString& path, int topic);

    QTextBrowser* browser() const { return m_browser; }
    static QString topicAnchor(int topic);

private:
    void showContents();

    QTextBrowser* m_browser = nullptr;
    QString m_path;
};

} // namespace kalmur
