#include "FuzzScratch.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace kalmur::fuzz {

namespace {

namespace fs = std::filesystem;

fs::path baseFolder() {
    std::error_code error;
    if (fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0) {
        return "/dev/shm";
    }
    if (const char* tmp = std::getenv("TMPDIR"); tmp != nullptr && *tmp != '\0') {
        return tmp;
    }
    return "/tmp";
}

[[noreturn]] void die(const char* what, const QString& path) {
    std::fprintf(stderr, "fuzz scratch: %s %s\n", what, QFile::encodeName(path).constData());
    std::abort();
}

fs::path native(const QString& path) {
    return fs::path(QFile::encodeName(path).toStdString());
}

// Removes the folders of earlier runs that ended without cleaning up (a crash
// or a timeout stops the process where it is).
void removeStaleFolders(const fs::path& base, const std::string& prefix) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) {
            continue;
        }
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            fs::remove_all(entry.path(), error);
        }
    }
}

} // namespace

FuzzScratch::FuzzScratch(const char* purpose) {
    const fs::path base = baseFolder();
    const std::string prefix = "kalmur-fuzz-" + std::string(purpose) + "-";
    removeStaleFolders(base, prefix);
    const fs::path folder = base / (prefix + std::to_string(::getpid()));
    m_path = QFile::decodeName(folder.c_str());
    std::error_code error;
    fs::remove_all(folder, error);
    if (!fs::create_directories(folder, error)) {
        die("cannot create", m_path);
    }
}

FuzzScratch::~FuzzScratch() {
    std::error_code error;
    fs::remove_all(native(m_path), error);
}

void FuzzScratch::clear() const {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(native(m_path), error)) {
        fs::remove_all(entry.path(), error);
        if (error) {
            die("cannot empty", m_path);
        }
    }
    if (error) {
        die("cannot list", m_path);
    }
}

QString FuzzScratch::makeFolder(const QString& name) const {
    const QString folder = file(name);
    std::error_code error;
    fs::create_directories(native(folder), error);
    if (error) {
        die("cannot create", folder);
    }
    return folder;
}

void FuzzScratch::runInWorkFolder(const std::function<void(const QString& work)>& run) const {
    clear();
    run(makeFolder(QStringLiteral("work")));
    clear();
}

void FuzzScratch::writeFile(const QString& path, std::span<const std::uint8_t> bytes) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        die("cannot write", path);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ::close(fd);
            die("cannot write", path);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        die("cannot close", path);
    }
}

} // namespace kalmur::fuzz
