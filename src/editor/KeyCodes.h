#pragma once

class QKeyEvent;

namespace kalmur {

// The keys the grid acts on besides the quick keys, with their key codes.
enum class GridKey {
    None = 0,
    Space = 32,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Delete = 46,
};

// Key codes as the grid's keys are described: letters 65..90, digits 48..57
// (the quick keys: a code is the character) and the codes of the GridKey
// names. A digit typed with Shift gives the digit's code (the shifted symbols
// of the usual layouts are mapped back), and the keypad's digits count as
// digits. 0 for any other key.
int gridKeyCode(const QKeyEvent& event);

// The named key of a code; None for the quick keys and any other code.
GridKey gridKeyName(int code);

} // namespace kalmur
