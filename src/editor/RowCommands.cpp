#include "RowCommands.h"

#include "platform/WriteFailure.h"

namespace kalmur {

namespace {

bool inside(int row) {
    return row >= 1 && row <= EmployeeTable::kRows;
}

// Where a row ends up after the row at `from` was moved to `to`.
int followMove(int row, int from, int to) {
    if (row == from) {
        return to;
    }
    if (from < to && row > from && row <= to) {
        return row - 1;
    }
    if (from > to && row >= to && row < from) {
        return row + 1;
    }
    return row;
}

} // namespace

RowCommands::RowCommands(ProgramState& state, Platform& platform, UndoStep& undo, QWidget* parent,
                         Hooks hooks)
    : m_state(state)
    , m_platform(platform)
    , m_undo(undo)
    , m_parent(parent)
    , m_hooks(std::move(hooks)) {
}

bool RowCommands::run(const QString& undoCaption, const std::function<void(Schedule&)>& change) {
    Schedule& schedule = m_state.schedule();
    if (!schedule.isOpen()) {
        return false;
    }
    m_undo.saveRows(schedule, undoCaption);
    change(schedule);
    schedule.setModified();
    const bool written = schedule.writeEmployees();
    if (!written) {
        const QString why = schedule.errorString();
        m_undo.undo(schedule);
        warnNotWritten(m_platform, m_parent, QStringLiteral("The employee list"), why);
    }
    if (m_hooks.repaintRows) {
        m_hooks.repaintRows();
    }
    if (m_hooks.recountCoverage) {
        m_hooks.recountCoverage();
    }
    if (m_hooks.undoChanged) {
        m_hooks.undoChanged();
    }
    return written;
}

RowCommands::MenuState RowCommands::menuState(int row) const {
    const Schedule& s = m_state.schedule();
    MenuState state;
    if (!s.isOpen()) {
        return state;
    }
    const bool divider = s.employees().isDivider(row);
    const bool empty = s.isEmptyRow(row);
    state.relocate = m_marked != 0;
    state.mark = inside(row) && !divider && !empty;
    state.insert = s.isEmptyRow(EmployeeTable::kRows);
    state.remove = empty;
    state.divider = empty || divider;
    state.resetDivider = divider;
    return state;
}

RowCommands::Result RowCommands::moveRow(const QString& undoCaption, int from, int to) {
    if (!inside(from) || !inside(to)) {
        return Result::Refused;
    }
    const bool written = run(undoCaption, [from, to](Schedule& s) {
        RowRules(s.settings().rowOrder, s.employees()).move(from, to);
    });
    if (written && m_marked != 0) {
        m_marked = followMove(m_marked, from, to); // the mark stays with its row
    }
    return done(written);
}

RowCommands::Result RowCommands::insertBlankRow(int row) {
    if (!m_state.schedule().isEmptyRow(EmployeeTable::kRows)) {
        return Result::Refused;
    }
    return moveRow(QStringLiteral("&Undo Insert blank row"), EmployeeTable::kRows, row);
}

RowCommands::Result RowCommands::removeBlankRow(int row) {
    if (!m_state.schedule().isEmptyRow(row)) {
        return Result::Refused;
    }
    return moveRow(QStringLiteral("&Undo Remove blank row"), row, EmployeeTable::kRows);
}

RowCommands::Result RowCommands::toggleDivider(int row) {
    const Schedule& s = m_state.schedule();
    if (!s.isOpen() || !inside(row)) {
        return Result::Refused;
    }
    const std::size_t i = static_cast<std::size_t>(row - 1);
    if (s.employees().isDivider(row)) {
        return done(run(QStringLiteral("&Undo Reset Divider"),
                        [i](Schedule& schedule) { schedule.employees().names[i].clear(); }));
    }
    if (!s.isEmptyRow(row)) {
        return Result::Refused;
    }
    return done(run(QStringLiteral("&Undo Set Divider"), [i](Schedule& schedule) {
        schedule.employees().names[i] = QStringLiteral("/");
    }));
}

RowCommands::Result RowCommands::markRow(int row) {
    if (!menuState(row).mark) {
        return Result::Refused;
    }
    m_marked = m_marked == row ? 0 : row;
    if (m_hooks.repaintRows) {
        m_hooks.repaintRows();
    }
    return Result::Done;
}

RowCommands::Result RowCommands::relocateTo(int row) {
    const int from = m_marked;
    if (from == 0 || !inside(row) || !m_state.isOpen()) {
        return Result::Refused;
    }
    m_marked = 0;
    if (from == row) {
        if (m_hooks.repaintRows) {
            m_hooks.repaintRows();
        }
        return Result::Done;
    }
    return moveRow(QStringLiteral("&Undo Relocate name"), from, row);
}

RowCommands::Result RowCommands::sort(RowRules::SortKey key) {
    if (!m_state.isOpen()) {
        return Result::Refused;
    }
    // Every row may move: a mark would point at another employee.
    m_marked = 0;
    const QString caption = key == RowRules::SortKey::Name
                                ? QStringLiteral("&Undo Alphabetically by Name")
                                : QStringLiteral("&Undo Sort by Position");
    return done(run(caption, [key](Schedule& s) {
        RowRules(s.settings().rowOrder, s.employees()).sortBlocks(key);
    }));
}

RowCommands::Stored RowCommands::storeName(int row, const QString& text) {
    if (!inside(row) || !m_state.isOpen()) {
        return Stored::Same;
    }
    return storeText(m_state.schedule().employees().names[static_cast<std::size_t>(row - 1)], text,
                     20);
}

RowCommands::Stored RowCommands::storePosition(int row, const QString& text) {
    if (!inside(row) || !m_state.isOpen()) {
        return Stored::Same;
    }
    return storeText(m_state.schedule().employees().positions[static_cast<std::size_t>(row - 1)],
                     text, 10);
}

RowCommands::Stored RowCommands::storeText(QString& field, const QString& text, int width) {
    const QString cut = text.trimmed().left(width).trimmed();
    if (cut == field.trimmed()) {
        return Stored::Same;
    }
    Schedule& s = m_state.schedule();
    field = cut;
    s.setModified();
    // A rows undo step saved before this edit would take it back with it.
    m_undo.forget();
    if (m_hooks.undoChanged) {
        m_hooks.undoChanged();
    }
    if (!s.writeEmployees()) {
        warnNotWritten(m_platform, m_parent, QStringLiteral("The employee list"), s.errorString());
        return Stored::NotWritten;
    }
    return Stored::Changed;
}

} // namespace kalmur
