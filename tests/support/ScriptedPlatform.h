#pragma once

// A Platform for window tests: records every message box and file dialog and
// answers from a script. A message nobody scripted fails the test.

#include "platform/Platform.h"

#include <QStringList>

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
    int beeps = 0;
    int helpShown = 0;
    int busyDepth = 0;
    bool beepPending = false;

    void beep() override {
        ++beeps;
        beepPending = true;
    }
    kalmur::MessageAnswer message(QWidget*, const kalmur::MessageRequest& request) override {
        messages.push_back({request, std::exchange(beepPending, false)});
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
        return next(openAnswers, r);
    }
    std::optional<QString> saveFileName(QWidget*, const kalmur::FileDialogRequest& r) override {
        fileDialogs.push_back(r);
        return next(saveAnswers, r);
    }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void showHelp(QWidget*, int) override { ++helpShown; }
    void processEvents() override {}

    // The texts of the messages shown so far.
    QStringList texts() const {
        QStringList list;
        for (const auto& m : messages) {
            list << m.request.text;
        }
        return list;
    }

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& queue,
                                       const kalmur::FileDialogRequest& r) {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << r.title.toStdString();
            return std::nullopt;
        }
        auto a = queue.front();
        queue.pop_front();
        return a;
    }
};
