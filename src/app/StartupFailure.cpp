#include "app/StartupFailure.h"

#include "app/StartupNames.h"

#include <utility>

namespace kalmur {

namespace {

QString workingDirectoryFile(const QString& programDir) {
    return programDir + QLatin1Char('/') + QLatin1String(kWorkingDirectoryFileName);
}

} // namespace

StartupFailure::StartupFailure(Kind kind, QString message, QString title)
    : m_kind(kind)
    , m_message(std::move(message))
    , m_title(std::move(title)) {
}

StartupFailure StartupFailure::cannotRead(const QString& programDir) {
    return {Kind::CannotRead,
            QStringLiteral("Kalmur cannot read ") + workingDirectoryFile(programDir),
            QStringLiteral("Can't Read TRELIN.WDR")};
}

StartupFailure StartupFailure::invalidPath(const QString& programDir) {
    return {Kind::InvalidPath,
            QStringLiteral("Path in ") + workingDirectoryFile(programDir) +
                QStringLiteral(" is not valid"),
            QStringLiteral("Invalid TRELIN.WDR entry")};
}

StartupFailure StartupFailure::cannotWrite(const QString& baseDir, const QString& programDir) {
    // The line break is a lone carriage return.
    return {Kind::CannotWrite,
            QStringLiteral("Kalmur cannot write to ") + baseDir + QChar(13) +
                QStringLiteral("Please check ") + workingDirectoryFile(programDir),
            QStringLiteral("Can't write to Temp Path")};
}

StartupFailure StartupFailure::noWorkingDirectory(const QString& baseDir) {
    return {Kind::NoWorkingDirectory,
            QStringLiteral("Kalmur cannot create/use a temp working directory on ") + baseDir,
            QStringLiteral("* ERROR *")};
}

} // namespace kalmur
