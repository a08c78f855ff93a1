#pragma once

// A program state with a schedule's settings in memory (nothing on disk is
// opened) and a scripted platform, for the dialog tests.

#include "support/ScriptedPlatform.h"

#include "files/ProgramState.h"
#include "model/codec/OleDate.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

struct DialogFixture : ::testing::Test {
    QTemporaryDir dir;
    kalmur::ProgramState state{dir.path()};
    ScriptedPlatform platform;

    DialogFixture() {
        state.archive().setCurrentLocation(
            kalmur::ScheduleLocation::fromPath(dir.path() + QStringLiteral("/WARD1.KMR")));
        setDates(QDate(1997, 1, 1), QDate(1997, 3, 31));
    }
    kalmur::ScheduleSettings& settings() { return state.schedule().settings(); }
    void setDates(QDate start, QDate end) {
        settings().startDate = kalmur::OleDate::fromDate(start);
        settings().endDate = kalmur::OleDate::fromDate(end);
    }

    // Shows a window and makes it the active one, so that focus moves send
    // their events.
    static void showActive(QWidget* window) {
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    // Replaces a field's text as typing would.
    static void retype(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
};
