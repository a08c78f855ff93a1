#pragma once

#include "model/records/DayRecord.h"

#include <array>
#include <cstdint>

namespace kalmur {

class FixedRecordFile;

// The days of the grid held in memory: a window of W consecutive days starting
// `first` days after the schedule's start. Moving by one day reads only the day
// that enters (and writes the one that leaves, when changed): the slot map
// rotates instead of the buffers.
class DayWindow {
public:
    static constexpr int kMaxLength = 42;

    // The requested length W (1..42), used by the next load.
    void setRequestedLength(int days);
    int requestedLength() const { return m_requested; }

    // Days in use: W, or the whole schedule when it is shorter than W.
    int length() const { return m_length; }
    // Days between the schedule's start and the first window day.
    int first() const { return m_first; }
    bool isLoaded() const { return m_loaded; }

    // Fills the window from the day file at offset `first`, pulled back so the
    // window ends no later than the last day. Returns false on a read failure.
    bool load(const FixedRecordFile& days, int first, int dayCount);
    enum class Move { Moved, AtEdge, Failed };
    Move moveLater(FixedRecordFile& days, int dayCount);
    Move moveEarlier(FixedRecordFile& days);
    // Writes every changed buffer; false on a write failure (the buffer stays dirty).
    bool flush(FixedRecordFile& days);
    void unload();

    // Cells by window position 1..length(); out-of-range positions give nothing.
    DayRecord* day(int position);
    const DayRecord* day(int position) const;
    // The day number (1 = the start date) at a window position, 0 when outside.
    int dayNumber(int position) const;
    void markDirty(int position);
    bool isDirty(int position) const;
    bool anyDirty() const;

private:
    int buffer(int position) const;
    bool readBuffer(const FixedRecordFile& days, int buffer, int dayNumber);
    bool writeBuffer(FixedRecordFile& days, int buffer);

    std::array<DayRecord, kMaxLength> m_buffers{};
    std::array<int, kMaxLength> m_slotMap{};   // window position - 1 -> buffer
    std::array<int, kMaxLength> m_bufferDay{}; // buffer -> day number
    std::array<bool, kMaxLength> m_dirty{};
    int m_requested = kMaxLength;
    int m_length = 0;
    int m_first = 0;
    bool m_loaded = false;
};

} // namespace kalmur
