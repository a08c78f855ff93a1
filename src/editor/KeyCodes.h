#pragma once

class QKeyEvent;

namespace kalmur {

// Key codes as the grid's keys are described: letters 65..90, digits 48..57,
// Space 32, Delete 46, Left 37, Up 38, Right 39, Down 40, Home 36, End 35,
// Page Up 33, Page Down 34. A digit typed with Shift gives the digit's code
// (the shifted symbols of the usual layouts are mapped back), and the keypad's
// digits count as digits. 0 for any other key.
int gridKeyCode(const QKeyEvent& event);

} // namespace kalmur
