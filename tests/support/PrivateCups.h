#pragma once

// A CUPS scheduler of the test's own: cupsd runs as a child with its own
// configuration, state, spool, logs and socket in a temporary folder, and a
// cups-pdf queue writes its PDFs there too. Nothing of the system's printing is
// touched: cups-pdf reads its settings from a fixed file under /etc, so the
// scheduler runs in a private mount namespace where that one file is replaced
// by the test's (the system's file stays as it is). The client side of this
// process (Qt's printer support, lpadmin) is pointed at the socket.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class PrivateCups {
public:
    // Why the scheduler cannot run on this machine (not root, a package
    // missing); empty when it can.
    static QString unavailableReason();

    // Writes the configuration and points this process's CUPS client at the
    // socket; call before anything loads Qt's printer support.
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Starts the scheduler (again, after stop(), with the queues it had) and
    // waits until it takes connections.
    bool start();
    // Stops the scheduler and everything it runs.
    void stop();
    // Adds an enabled cups-pdf queue reached at `location`.
    bool addPdfQueue(const QString& name, const QString& location);

    const QString& error() const { return m_error; }
    QString socketPath() const;
    // The PDFs the queue has written, oldest first.
    QStringList pdfs() const;
    // How far the spooler has got: the PDFs written and the jobs completed.
    struct Mark {
        qsizetype pdfs = 0;
        qsizetype completed = 0;
    };
    Mark mark() const;
    // Waits for a job after `before` to complete with a new PDF and returns
    // its path, or nothing when none arrives in time.
    QString waitForPdf(const Mark& before) const;
    // The end of the scheduler's log, for failure messages.
    QString logTail() const;

private:
    QString path(const QString& name) const;
    QByteArray log() const;
    bool fail(const QString& what);

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_error;
};
