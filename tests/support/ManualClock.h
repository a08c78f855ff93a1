#pragma once

// A Clock that moves only when a test moves it. Timers that fall due while it
// moves run in the order of their deadlines, each at its own time, so a timer
// that starts itself again runs again within the same move when it is due.

#include "platform/Clock.h"

#include <memory>
#include <optional>
#include <vector>

struct ManualClock : kalmur::Clock {
    using ms = std::chrono::milliseconds;

    // Every interval a timer was started with, in order.
    std::vector<ms> started;

    ms now() const override { return m_now; }

    // The wall time the reports print; fixed so that two runs give the same text.
    QDateTime wallTime{QDate(2026, 3, 9), QTime(14, 5)};
    QDateTime currentDateTime() const override { return wallTime.addMSecs(m_now.count()); }

    std::unique_ptr<kalmur::OneShotTimer> timer(std::function<void()> timeout) override {
        auto entry = std::make_shared<Entry>();
        entry->timeout = std::move(timeout);
        m_entries.push_back(entry);
        return std::make_unique<Timer>(*this, entry);
    }

    void advance(ms by) {
        const ms target = m_now + by;
        for (;;) {
            std::shared_ptr<Entry> next;
            for (const auto& e : m_entries) {
                if (e->due && *e->due <= target && (!next || *e->due < *next->due)) {
                    next = e;
                }
            }
            if (!next) {
                break;
            }
            m_now = *next->due;
            next->due.reset();
            next->timeout();
        }
        m_now = target;
    }

    // Timers waiting to run.
    int pending() const {
        int n = 0;
        for (const auto& e : m_entries) {
            n += e->due ? 1 : 0;
        }
        return n;
    }

private:
    struct Entry {
        std::function<void()> timeout;
        std::optional<ms> due;
    };
    struct Timer : kalmur::OneShotTimer {
        ManualClock& clock;
        std::shared_ptr<Entry> entry;
        Timer(ManualClock& c, std::shared_ptr<Entry> e)
            : clock(c)
            , entry(std::move(e)) {}
        ~Timer() override { std::erase(clock.m_entries, entry); }
        void start(ms interval) override {
            clock.started.push_back(interval);
            entry->due = clock.m_now + interval;
        }
        void stop() override { entry->due.reset(); }
        bool isActive() const override { return entry->due.has_value(); }
    };

    ms m_now{0};
    std::vector<std::shared_ptr<Entry>> m_entries;
};
