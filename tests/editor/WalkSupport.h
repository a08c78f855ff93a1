#pragma once

// The demo ward open in the real main window, with the program's own dialogs
// and the desktop platform, and a user who answers every modal window that
// opens: F1 first (the help must open, and is closed again), then the way
// out the window offers, or whatever the test asks of that window.

#include "dialogs/WidgetScheduleDialogs.h"
#include "editor/MainForm.h"
#include "files/ProgramState.h"
#include "platform/DesktopPlatform.h"
#include "platform/HelpKey.h"
#include "platform/HelpViewer.h"
#include "support/ToolRunner.h"
#include "tool/ScheduleJson.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QJsonDocument>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// The desktop platform, quiet, counting the help it opens, with the program's
// own PDF-file printer as the only printer.
struct WalkPlatform : kalmur::DesktopPlatform {
    int helpShown = 0;
    std::optional<kalmur::InstalledPrinter> chosen;

    void beep() override {}
    void showHelp(QWidget* parent, int topic) override {
        ++helpShown;
        DesktopPlatform::showHelp(parent, topic);
    }
    QList<kalmur::InstalledPrinter> printers() override { return {}; }
    std::optional<kalmur::InstalledPrinter> currentPrinter() override { return chosen; }
    void setCurrentPrinter(const kalmur::InstalledPrinter& printer) override { chosen = printer; }
    bool helpOpen() const { return helpViewer() && helpViewer()->isVisible(); }
};

// The demo ward imported into a new archive and opened in MainForm as the
// schedule named on the command line.
struct DemoWard {
    QTemporaryDir root;
    QString ward = root.filePath(QStringLiteral("ward.kmr"));
    QString work = root.filePath(QStringLiteral("TEMP.001"));
    WalkPlatform platform;
    kalmur::HelpKey* helpKey = kalmur::HelpKey::install(platform);
    kalmur::WidgetScheduleDialogs dialogs{platform};
    std::unique_ptr<kalmur::ProgramState> state;
    std::unique_ptr<kalmur::MainForm> form;

    DemoWard() {
        QDir().mkpath(work);
        const ToolRun made = tool({QStringLiteral("new"), ward, QStringLiteral("--start"),
                                   QStringLiteral("2026-11-01"), QStringLiteral("--end"),
                                   QStringLiteral("2027-03-31")});
        EXPECT_EQ(made.status, 0) << made.err.toStdString();
        const ToolRun imported =
            tool({QStringLiteral("import"), ward, QStringLiteral(KALMUR_DEMO_WARD)});
        EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
        state = std::make_unique<kalmur::ProgramState>(work);
        state->commandLineSchedule = ward;
        form = std::make_unique<kalmur::MainForm>(*state, platform, dialogs);
        form->resize(1200, 800);
        form->show();
        form->loadInitial();
        QApplication::processEvents();
    }
    ~DemoWard() {
        form.reset();
        delete helpKey;
    }

    QByteArray dump() const {
        return QJsonDocument(kalmur::ScheduleJson::dump(state->schedule()))
            .toJson(QJsonDocument::Compact);
    }
};

// Answers the modal windows that open while it lives, polling for the active
// modal window as a user would look at the screen. Each new window gets F1,
// then `answer`; when there is none, or it returns false, the window's way
// out: a message box its escape button, any other window its Cancel or Close
// button, or Escape. A window still open after it was answered is left the
// same way; one still open a good while after that is hidden and reported.
class ModalAnswerer : public QObject {
public:
    using Answer = std::function<bool(QWidget*)>;

    explicit ModalAnswerer(WalkPlatform& platform)
        : m_platform(platform) {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::look);
        m_timer.start();
    }

    Answer answer;
    QStringList opened;   // each window answered
    QStringList failures; // what went wrong, one line each

    // The way out of `window` a user would take.
    static void leave(QWidget* window) {
        if (auto* box = qobject_cast<QMessageBox*>(window)) {
            if (QAbstractButton* escape = box->escapeButton()) {
                escape->click();
                return;
            }
        }
        for (auto* b : window->findChildren<QAbstractButton*>()) {
            const QString text = b->text().remove(QLatin1Char('&'));
            if (b->window() == window && b->isVisible() && b->isEnabled() &&
                (text == QLatin1String("Cancel") || text == QLatin1String("Close"))) {
                b->click();
                return;
            }
        }
        QTest::keyClick(window, Qt::Key_Escape);
    }

    static QString titleOf(const QWidget* w) {
        return QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" \"") +
               w->windowTitle() + QLatin1Char('"');
    }

private:
    enum class Step { Answering, Answered, Left };
    struct Seen {
        QPointer<QWidget> window;
        Step step = Step::Answering;
        int ticks = 0;
    };

    void look() {
        std::erase_if(m_seen, [](const Seen& s) { return !s.window || !s.window->isVisible(); });
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            return;
        }
        const auto seen = std::find_if(m_seen.begin(), m_seen.end(),
                                       [w](const Seen& s) { return s.window == w; });
        if (seen == m_seen.end()) {
            m_seen.push_back({w});
            opened << titleOf(w);
            pressF1(w);
            // Answered from the window's own event loop, so that the windows
            // the answer opens are seen by the next looks.
            later(w, [this, w] {
                const bool answered = answer && answer(w);
                if (!answered) {
                    leave(w);
                }
                step(w, answered ? Step::Answered : Step::Left);
            });
        } else if (seen->step == Step::Answered) {
            seen->step = Step::Left;
            later(w, [w] { leave(w); });
        } else if (seen->step == Step::Left && ++seen->ticks == 1000) {
            failures << titleOf(w) + QStringLiteral(" did not close");
            w->hide();
        }
    }

    void later(QWidget* w, std::function<void()> what) {
        QMetaObject::invokeMethod(w, std::move(what), Qt::QueuedConnection);
    }
    void step(QWidget* w, Step to) {
        for (Seen& s : m_seen) {
            if (s.window == w) {
                s.step = to;
            }
        }
    }

    void pressF1(QWidget* w) {
        const int before = m_platform.helpShown;
        QWidget* focus = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(focus, Qt::Key_F1);
        if (w->property(kalmur::HelpKey::kNoHelpProperty).toBool()) {
            return;
        }
        if (m_platform.helpShown != before + 1 || !m_platform.helpOpen()) {
            failures << QStringLiteral("F1 in ") + titleOf(w) + QStringLiteral(" opened no help");
        }
        if (m_platform.helpViewer()) {
            m_platform.helpViewer()->close();
        }
    }

    WalkPlatform& m_platform;
    QTimer m_timer;
    std::vector<Seen> m_seen;
};
