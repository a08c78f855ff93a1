#include "ViewFormatEdit.h"

#include "model/schedule/Schedule.h"

#include <algorithm>
#include <utility>

namespace kalmur {

ViewFormatEdit::ViewFormatEdit(Schedule& schedule, Relayout relayout)
    : m_schedule(schedule)
    , m_relayout(std::move(relayout)) {
    // The record as the file holds it is what Cancel puts back. A record that
    // cannot be read falls back to the one in memory, so that Cancel never
    // writes an empty format over the user's.
    const auto stored = m_schedule.readViewFormat(m_schedule.viewFormatNumber());
    m_backup = stored ? *stored : m_schedule.viewFormat();
}

const ViewFormat& ViewFormatEdit::format() const {
    return m_schedule.viewFormat();
}

bool ViewFormatEdit::apply(const ViewFormatRules::Input& input) {
    m_schedule.setModified();
    ViewFormatRules::store(m_schedule.viewFormat(), input);
    return writeAndApply();
}

bool ViewFormatEdit::cancel() {
    m_schedule.viewFormat() = m_backup;
    return writeAndApply();
}

void ViewFormatEdit::setFont(const QString& name, double pointSize, bool bold, bool italic) {
    ViewFormat& format = m_schedule.viewFormat();
    format.fontName = name.left(ViewFormatRules::kFontNameLength);
    format.fontSize = static_cast<float>(std::clamp<double>(
        pointSize, ViewFormatRules::kMinFontPoints, ViewFormatRules::kMaxFontPoints));
    format.fontBold = bold;
    format.fontItalic = italic;
}

bool ViewFormatEdit::writeAndApply() {
    const bool written = m_schedule.writeCurrentViewFormat();
    m_schedule.applyViewFormat();
    if (m_relayout) {
        m_relayout();
    }
    return written;
}

} // namespace kalmur
