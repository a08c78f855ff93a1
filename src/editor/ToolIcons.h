#pragma once

#include <QIcon>

namespace kalmur {

// The pictures of the tool buttons, drawn rather than loaded.
namespace ToolIcons {
QIcon assign();
QIcon timeOff();
QIcon erase();
QIcon onCall();
QIcon calendar();
QIcon noteCheck();
QIcon noteCancel();
} // namespace ToolIcons

} // namespace kalmur
