#pragma once

// A Platform for window tests: records every message box, file and font dialog
// and answers from a script. A dialog nobody scripted fails the test. The
// printers are whatever the test puts into `installed` and `current`. Its clock
// moves only when the test moves it.

#include "ManualClock.h"
#include "platform/Platform.h"

#include <QStringList>
#include <QWidget>

#include <deque>
#include <gtest/gtest.h>

struct ScriptedPlatform : kalmur::Platform {
    struct Shown {
        kalmur::MessageRequest request;
        bool beeped = false;
    };
    std::vector<Shown> messages;
    std::deque<kalmur::MessageAnswer> answers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::vector<kalmur::FileDialogRequest> fileDialogs;
    std::deque<std::optional<QString>> pdfAnswers;
    QStringList pdfSuggested;
    std::deque<std::optional<QString>> folderAnswers;
    QStringList folderInitial;
    struct FontAsked {
        QFont initial;
        int minPointSize = 0;
        int maxPointSize = 0;
    };
    std::deque<std::optional<QFont>> fontAnswers;
    std::vector<FontAsked> fontDialogs;
    QList<kalmur::InstalledPrinter> installed;
    std::optional<kalmur::InstalledPrinter> current;
    int beeps = 0;
    int helpShown = 0;
    int busyDepth = 0;
    bool beepPending = false;
    // Shows each message as a modal window for a moment, as the desktop does,
    // so that the windows behind it see themselves blocked.
    bool modalMessages = false;
    ManualClock manualClock;

    void beep() override {
        ++beeps;
        beepPending = true;
    }
    kalmur::MessageAnswer message(QWidget* parent, const kalmur::MessageRequest& request) override {
        messages.push_back({request, std::exchange(beepPending, false)});
        if (modalMessages) {
            QWidget box(parent, Qt::Dialog);
            box.setWindowModality(Qt::ApplicationModal);
            box.show();
            box.hide();
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected message box: \"" << request.title.toStdString() << "\" "
                          << request.text.toStdString();
            return kalmur::MessageAnswer::Cancel;
        }
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> openFileName(QWidget*, const kalmur::FileDialogRequest& r) override {
        fileDialogs.push_back(r);
        return next(openAnswers, "file dialog " + r.title.toStdString());
    }
    std::optional<QString> saveFileName(QWidget*, const kalmur::FileDialogRequest& r) override {
        fileDialogs.push_back(r);
        return next(saveAnswers, "file dialog " + r.title.toStdString());
    }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void showHelp(QWidget*, int) override { ++helpShown; }
    void processEvents() override {}
    QList<kalmur::InstalledPrinter> printers() override { return installed; }
    std::optional<kalmur::InstalledPrinter> currentPrinter() override { return current; }
    void setCurrentPrinter(const kalmur::InstalledPrinter& printer) override { current = printer; }
    std::optional<QString> pdfFileName(QWidget*, const QString& suggestedPath) override {
        pdfSuggested << suggestedPath;
        return next(pdfAnswers, "PDF file dialog");
    }
    std::optional<QString> folderName(QWidget*, const QString&,
                                      const QString& initialPath) override {
        folderInitial << initialPath;
        return next(folderAnswers, "folder dialog");
    }
    // The scripted font is clamped as the desktop's dialog clamps it.
    std::optional<QFont> chooseFont(QWidget*, const QFont& initial, int minPointSize,
                                    int maxPointSize) override {
        fontDialogs.push_back({initial, minPointSize, maxPointSize});
        const auto font = next(fontAnswers, "font dialog");
        if (!font) {
            return std::nullopt;
        }
        return withPointSizeIn(*font, minPointSize, maxPointSize);
    }
    kalmur::Clock& clock() override { return manualClock; }

    // The texts of the messages shown so far.
    QStringList texts() const {
        QStringList list;
        for (const auto& m : messages) {
            list << m.request.text;
        }
        return list;
    }

private:
    template <class T>
    static std::optional<T> next(std::deque<std::optional<T>>& queue, const std::string& what) {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return std::nullopt;
        }
        auto a = queue.front();
        queue.pop_front();
        return a;
    }
};
