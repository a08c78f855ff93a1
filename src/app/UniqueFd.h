#pragma once

#include <cerrno>
#include <string_view>
#include <utility>

#include <unistd.h>

namespace kalmur {

// An owned POSIX file descriptor: closed when it goes out of scope, so every early
// return of the start-up steps leaves no descriptor (and no lock) behind.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd)
        : m_fd(fd) {}
    ~UniqueFd() { reset(); }

    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }

    // Closes the descriptor; false when close() reports an error (a write that
    // only failed on the way to the disk shows up here).
    bool reset() {
        if (m_fd < 0) {
            return true;
        }
        const int result = ::close(std::exchange(m_fd, -1));
        return result == 0;
    }

    // Writes all of the bytes, resuming after signals and short writes.
    bool writeAll(std::string_view bytes) const {
        while (!bytes.empty()) {
            const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            if (written == 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

private:
    int m_fd = -1;
};

} // namespace kalmur
