// Test helper: runs the start-up steps for the program directory given as the
// only argument, prints "OK " + the claimed working directory or "FAIL " + the
// failure message on one line, and keeps the claim until its stdin closes.
#include "app/Startup.h"

#include <QFile>

#include <cerrno>
#include <cstdio>

#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR\n", argv[0]);
        return 2;
    }
    auto result = kalmur::Startup::run(QFile::decodeName(argv[1]), {});
    if (auto* failure = std::get_if<kalmur::StartupFailure>(&result)) {
        std::printf("FAIL %s\n", failure->message().toLocal8Bit().constData());
        std::fflush(stdout);
        return 1;
    }
    const auto& state = std::get<kalmur::StartupState>(result);
    std::printf("OK %s\n", QFile::encodeName(state.workingDirectory.path()).constData());
    std::fflush(stdout);

    char buffer[64];
    while (true) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got == 0 || (got < 0 && errno != EINTR)) {
            break;
        }
    }
    return 0;
}
