#include "DayWindow.h"

#include "FixedRecordFile.h"

#include <algorithm>

namespace kalmur {

void DayWindow::setRequestedLength(int days) {
    m_requested = std::clamp(days, 1, kMaxLength);
}

// Reads a day into a buffer; on a read failure the buffer keeps what it held.
bool DayWindow::readBuffer(const FixedRecordFile& days, int b, int dayNumber) {
    std::array<std::uint8_t, DayRecord::fileSize> image{};
    if (!days.read(dayNumber, image)) {
        return false;
    }
    m_buffers[static_cast<std::size_t>(b)] = DayRecord::fromBytes(image);
    m_bufferDay[static_cast<std::size_t>(b)] = dayNumber;
    m_dirty[static_cast<std::size_t>(b)] = false;
    return true;
}

bool DayWindow::writeBuffer(FixedRecordFile& days, int b) {
    const auto i = static_cast<std::size_t>(b);
    if (!days.write(m_bufferDay[i], m_buffers[i].toBytes())) {
        return false;
    }
    m_dirty[i] = false;
    return true;
}

bool DayWindow::load(const FixedRecordFile& days, int first, int dayCount) {
    m_length = std::clamp(std::min(m_requested, dayCount), 0, kMaxLength);
    // Pull back a window that would run past the last day; never before day 1.
    m_first = std::clamp(first, 0, std::max(0, dayCount - m_length));
    // The window's days with one read; a day at a time only when that fails,
    // so that every day that can be read still is.
    std::array<std::uint8_t, std::size_t(kMaxLength) * DayRecord::fileSize> images;
    const auto bytes = std::span(images).first(std::size_t(m_length) * DayRecord::fileSize);
    const bool together = m_length > 0 && days.readRecords(m_first + 1, m_length, bytes);
    bool ok = true;
    for (int k = 0; k < m_length; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_slotMap[i] = k;
        m_bufferDay[i] = m_first + k + 1;
        m_dirty[i] = false;
        if (together) {
            m_buffers[i] =
                DayRecord::fromBytes(bytes.subspan(i * DayRecord::fileSize, DayRecord::fileSize));
        } else if (!readBuffer(days, k, m_first + k + 1)) {
            m_buffers[i] = DayRecord{};
            ok = false;
        }
    }
    m_loaded = true;
    return ok;
}

DayWindow::Move DayWindow::moveLater(FixedRecordFile& days, int dayCount) {
    if (!m_loaded || m_length == 0 || m_first + m_length >= dayCount) {
        return Move::AtEdge;
    }
    const int b = m_slotMap[0];
    if (m_dirty[static_cast<std::size_t>(b)] && !writeBuffer(days, b)) {
        return Move::Failed;
    }
    if (!readBuffer(days, b, m_first + m_length + 1)) {
        return Move::Failed;
    }
    std::rotate(m_slotMap.begin(), m_slotMap.begin() + 1, m_slotMap.begin() + m_length);
    ++m_first;
    return Move::Moved;
}

DayWindow::Move DayWindow::moveEarlier(FixedRecordFile& days) {
    if (!m_loaded || m_length == 0 || m_first - 1 < 0) {
        return Move::AtEdge;
    }
    const int b = m_slotMap[static_cast<std::size_t>(m_length - 1)];
    if (m_dirty[static_cast<std::size_t>(b)] && !writeBuffer(days, b)) {
        return Move::Failed;
    }
    if (!readBuffer(days, b, m_first)) {
        return Move::Failed;
    }
    std::rotate(m_slotMap.begin(), m_slotMap.begin() + m_length - 1, m_slotMap.begin() + m_length);
    --m_first;
    return Move::Moved;
}

bool DayWindow::flush(FixedRecordFile& days) {
    // Each run of changed days that follow one another is written with one
    // call.
    std::array<std::uint8_t, std::size_t(kMaxLength) * DayRecord::fileSize> images;
    const auto bufferAt = [&](int k) {
        return static_cast<std::size_t>(m_slotMap[static_cast<std::size_t>(k)]);
    };
    bool ok = true;
    for (int k = 0; k < m_length;) {
        if (!m_dirty[bufferAt(k)]) {
            ++k;
            continue;
        }
        int end = k;
        for (; end < m_length && m_dirty[bufferAt(end)]; ++end) {
            m_buffers[bufferAt(end)].encode(std::span(images)
                                                .subspan(std::size_t(end - k) * DayRecord::fileSize)
                                                .first<DayRecord::fileSize>());
        }
        const auto run = std::span(images).first(std::size_t(end - k) * DayRecord::fileSize);
        if (days.writeRecords(m_bufferDay[bufferAt(k)], run)) {
            for (int p = k; p < end; ++p) {
                m_dirty[bufferAt(p)] = false;
            }
        } else {
            ok = false;
        }
        k = end;
    }
    return ok;
}

void DayWindow::unload() {
    m_loaded = false;
    m_length = 0;
    m_dirty.fill(false);
}

int DayWindow::buffer(int position) const {
    if (!m_loaded || position < 1 || position > m_length) {
        return -1;
    }
    return m_slotMap[static_cast<std::size_t>(position - 1)];
}

DayRecord* DayWindow::day(int position) {
    const int b = buffer(position);
    return b < 0 ? nullptr : &m_buffers[static_cast<std::size_t>(b)];
}

const DayRecord* DayWindow::day(int position) const {
    const int b = buffer(position);
    return b < 0 ? nullptr : &m_buffers[static_cast<std::size_t>(b)];
}

int DayWindow::dayNumber(int position) const {
    const int b = buffer(position);
    return b < 0 ? 0 : m_bufferDay[static_cast<std::size_t>(b)];
}

void DayWindow::markDirty(int position) {
    const int b = buffer(position);
    if (b >= 0) {
        m_dirty[static_cast<std::size_t>(b)] = true;
    }
}

bool DayWindow::isDirty(int position) const {
    const int b = buffer(position);
    return b >= 0 && m_dirty[static_cast<std::size_t>(b)];
}

bool DayWindow::anyDirty() const {
    for (int k = 0; k < m_length; ++k) {
        if (m_dirty[static_cast<std::size_t>(m_slotMap[static_cast<std::size_t>(k)])]) {
            return true;
        }
    }
    return false;
}

} // namespace kalmur
