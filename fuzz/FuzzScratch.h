#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <span>

namespace kalmur::fuzz {

// A private folder for one fuzzing process: on tmpfs when the machine has one
// (/dev/shm), otherwise in the temporary folder. Targets empty it before and
// after every input; it is removed when the process ends normally.
class FuzzScratch {
public:
    explicit FuzzScratch(const char* purpose);
    ~FuzzScratch();
    FuzzScratch(const FuzzScratch&) = delete;
    FuzzScratch& operator=(const FuzzScratch&) = delete;

    const QString& path() const { return m_path; }
    QString file(const QString& name) const { return m_path + QLatin1Char('/') + name; }

    // Removes everything inside the folder; aborts when that fails, since every
    // later input would then see files of an earlier one.
    void clear() const;
    // Creates a folder inside (or the given path); aborts on failure.
    QString makeFolder(const QString& name) const;
    // Runs one input in a fresh "work" folder inside, with the folder emptied
    // before and after.
    void runInWorkFolder(const std::function<void(const QString& work)>& run) const;
    // Creates or replaces a file with exactly these bytes; aborts on failure.
    static void writeFile(const QString& path, std::span<const std::uint8_t> bytes);

private:
    QString m_path;
};

} // namespace kalmur::fuzz
