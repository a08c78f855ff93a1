#include "PrivateCups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {

const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
const QString kBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString kSystemPdfConf = QStringLiteral("/etc/cups/cups-pdf.conf");
const QString kPdfToPs = QStringLiteral("/usr/lib/cups/filter/pdftops");
constexpr int kStartSeconds = 20;
constexpr int kJobSeconds = 60;

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

// Whether a scheduler takes connections on the socket at `path`.
bool accepts(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.size() >= qsizetype(sizeof address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) {
        return false;
    }
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

} // namespace

QString PrivateCups::unavailableReason() {
    if (geteuid() != 0) {
        return QStringLiteral("the private CUPS scheduler needs root (cupsd, the cups-pdf backend "
                              "and a private mount namespace)");
    }
    QStringList missing;
    for (const QString& file : {kCupsd, kBackend, kPpd, kSystemPdfConf, kPdfToPs}) {
        if (!QFileInfo::exists(file)) {
            missing << file;
        }
    }
    for (const char* tool : {"unshare", "lpadmin", "pdftotext", "pdftocairo"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            missing << QLatin1String(tool);
        }
    }
    if (missing.isEmpty()) {
        return {};
    }
    return QStringLiteral("missing %1 (scripts/deps.sh installs cups-daemon, "
                          "printer-driver-cups-pdf and poppler-utils for the tests)")
        .arg(missing.join(QStringLiteral(", ")));
}

PrivateCups::PrivateCups()
    : m_dir(QDir::tempPath() + QStringLiteral("/kalmur-cups-XXXXXX")) {
    // cupsd runs its filters as the user lp, who must reach the spool.
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther);
    for (const char* folder :
         {"conf", "conf/ppd", "state", "cache", "spool", "spool/tmp", "log", "out", "pdf-spool"}) {
        QDir(m_dir.path()).mkpath(QLatin1String(folder));
    }
    const QString root = m_dir.path();
    writeFile(path(QStringLiteral("conf/cupsd.conf")),
              QStringLiteral("Listen %1\n"
                             "LogLevel info\n"
                             "Browsing No\n"
                             "WebInterface No\n"
                             "DirtyCleanInterval 0\n"
                             "DefaultAuthType None\n"
                             "DefaultPolicy open\n"
                             "<Policy open>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                             "</Policy>\n"
                             "<Location />\n  Order deny,allow\n</Location>\n")
                  .arg(socketPath()));
    writeFile(path(QStringLiteral("conf/cups-files.conf")),
              QStringLiteral("ServerRoot %1/conf\n"
                             "StateDir %1/state\n"
                             "CacheDir %1/cache\n"
                             "RequestRoot %1/spool\n"
                             "TempDir %1/spool/tmp\n"
                             "AccessLog %1/log/access_log\n"
                             "ErrorLog %1/log/error_log\n"
                             "PageLog %1/log/page_log\n"
                             "Printcap %1/printcap\n")
                  .arg(root));
    writeFile(path(QStringLiteral("cups-pdf.conf")), QStringLiteral("Out %1/out\n"
                                                                    "AnonDirName %1/out\n"
                                                                    "Spool %1/pdf-spool\n"
                                                                    "Log %1/log\n"
                                                                    "Grp root\n")
                                                         .arg(root));
    qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
}

PrivateCups::~PrivateCups() {
    stop();
}

QString PrivateCups::path(const QString& name) const {
    return m_dir.filePath(name);
}

QString PrivateCups::socketPath() const {
    return path(QStringLiteral("cups.sock"));
}

bool PrivateCups::fail(const QString& what) {
    m_error = what + QStringLiteral("\n") + logTail();
    return false;
}

bool PrivateCups::start() {
    if (!m_dir.isValid()) {
        return fail(QStringLiteral("no temporary folder: ") + m_dir.errorString());
    }
    QFile::remove(socketPath());
    // In the namespace of its own, cupsd and the backends it starts see the
    // test's cups-pdf settings in place of the system's.
    const QString script =
        QStringLiteral("mount --bind \"$1\" %1 && exec %2 -f -c \"$2\" -s \"$3\"")
            .arg(kSystemPdfConf, kCupsd);
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(QStringLiteral("unshare"),
                  {QStringLiteral("--mount"), QStringLiteral("--propagation"),
                   QStringLiteral("private"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                   QStringLiteral("kalmur-cupsd"), path(QStringLiteral("cups-pdf.conf")),
                   path(QStringLiteral("conf/cupsd.conf")),
                   path(QStringLiteral("conf/cups-files.conf"))});
    if (!m_cupsd.waitForStarted()) {
        return fail(QStringLiteral("unshare did not start: ") + m_cupsd.errorString());
    }
    const QDeadlineTimer deadline(kStartSeconds * 1000);
    while (!deadline.hasExpired()) {
        if (m_cupsd.state() == QProcess::NotRunning) {
            return fail(QStringLiteral("cupsd ended at once: ") +
                        QString::fromLocal8Bit(m_cupsd.readAll()));
        }
        if (accepts(socketPath())) {
            return true;
        }
        QThread::msleep(20);
    }
    stop();
    return fail(QStringLiteral("cupsd took no connection"));
}

void PrivateCups::stop() {
    if (m_cupsd.state() == QProcess::NotRunning) {
        return;
    }
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(kStartSeconds * 1000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished();
    }
}

bool PrivateCups::addPdfQueue(const QString& name, const QString& location) {
    QProcess lpadmin;
    lpadmin.setProcessChannelMode(QProcess::MergedChannels);
    // pdftocairo turns the program's PDF into PostScript for cups-pdf with
    // its text intact; the other renderers leave glyphs without their letters.
    lpadmin.start(QStringLiteral("lpadmin"),
                  {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                   QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), kPpd, QStringLiteral("-L"),
                   location, QStringLiteral("-o"),
                   QStringLiteral("pdftops-renderer-default=pdftocairo")});
    if (!lpadmin.waitForFinished(kStartSeconds * 1000) ||
        lpadmin.exitStatus() != QProcess::NormalExit || lpadmin.exitCode() != 0) {
        return fail(QStringLiteral("lpadmin failed: ") + QString::fromLocal8Bit(lpadmin.readAll()));
    }
    return true;
}

QStringList PrivateCups::pdfs() const {
    QStringList list;
    const QDir out(path(QStringLiteral("out")));
    for (const QFileInfo& info :
         out.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time | QDir::Reversed)) {
        list << info.absoluteFilePath();
    }
    return list;
}

PrivateCups::Mark PrivateCups::mark() const {
    return {pdfs().size(), log().count("Job completed.")};
}

QString PrivateCups::waitForPdf(const Mark& before) const {
    const QDeadlineTimer deadline(kJobSeconds * 1000);
    while (!deadline.hasExpired()) {
        const Mark now = mark();
        if (now.completed > before.completed && now.pdfs > before.pdfs) {
            return pdfs().last();
        }
        QThread::msleep(50);
    }
    return {};
}

QByteArray PrivateCups::log() const {
    QFile file(path(QStringLiteral("log/error_log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PrivateCups::logTail() const {
    return QString::fromLocal8Bit(log().right(3000));
}
