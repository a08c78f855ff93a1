#include "Spooler.h"

#include <dlfcn.h>

namespace kalmur::Spooler {

namespace {

// IPP status codes up to 0x00ff report success.
constexpr int kLastSuccess = 0x00ff;

// The CUPS library as Qt's printer support loaded it; a program that never
// printed to CUPS has not loaded it, and has nothing to ask.
class LoadedCups {
public:
    LoadedCups()
        : m_handle(dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD)) {}
    ~LoadedCups() {
        if (m_handle) {
            dlclose(m_handle);
        }
    }
    LoadedCups(const LoadedCups&) = delete;
    LoadedCups& operator=(const LoadedCups&) = delete;

    template <class Function>
    Function function(const char* name) const {
        return m_handle ? reinterpret_cast<Function>(dlsym(m_handle, name)) : nullptr;
    }

private:
    void* m_handle;
};

} // namespace

std::optional<QString> lastRequestFailure() {
    const LoadedCups cups;
    const auto status = cups.function<int (*)()>("cupsLastError");
    if (!status) {
        return std::nullopt;
    }
    const int code = status();
    if (code >= 0 && code <= kLastSuccess) {
        return std::nullopt;
    }
    const auto text = cups.function<const char* (*)()>("cupsLastErrorString");
    const char* reason = text ? text() : nullptr;
    return reason && *reason
               ? QString::fromLocal8Bit(reason)
               : QStringLiteral("CUPS status 0x%1").arg(code, 4, 16, QLatin1Char('0'));
}

} // namespace kalmur::Spooler
