#pragma once

#include <QString>

#include <optional>

namespace kalmur {

// Qt hands a printed document to the CUPS spooler when the painter ends, and
// reports success whether the spooler took it or not: a scheduler that stopped
// during the run loses the job without a word. The CUPS library keeps the
// outcome of the last request made on each thread; this asks it.
namespace Spooler {

// The spooler's reason when the last request sent to CUPS on this thread
// failed; nothing when it succeeded or when nothing was ever sent. Ask right
// after ending a document on a CUPS printer.
std::optional<QString> lastRequestFailure();

} // namespace Spooler

} // namespace kalmur
