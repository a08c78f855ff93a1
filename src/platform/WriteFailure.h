#pragma once

#include "platform/Platform.h"

namespace kalmur {

// The "Error" box for a file of the schedule that could not be written: `what` is
// the subject of the sentence ("The explanations"), `reason` the system's.
inline void warnNotWritten(Platform& platform, QWidget* parent, const QString& what,
                           const QString& reason) {
    platform.warn(parent,
                  {what + QStringLiteral(" could not be written (") + reason + QStringLiteral(")."),
                   QStringLiteral("Error"), MessageIcon::Stop, MessageButtons::Ok, std::nullopt});
}

} // namespace kalmur
