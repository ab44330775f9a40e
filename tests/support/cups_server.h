#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace quillet::test {

// A private CUPS scheduler on a socket of its own, with virtual PDF printers (cups-pdf) whose
// output lands in folders of the test's. Needs root (the scheduler and the cups-pdf backend run as
// root) and the cups, cups-bsd and printer-driver-cups-pdf packages. Stopped when destroyed.
class CupsServer {
public:
    CupsServer() = default;
    ~CupsServer();
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    // Starts the scheduler and points this process's print system calls at it. Empty on success,
    // otherwise why it cannot run here.
    QString start();

    // A queue made from the stock cups-pdf driver, on US Letter or A4, with the driver's imageable
    // area for Letter shrunk by this many points on every side. Empty on success, else the error.
    QString addPdfQueue(const QString& name, const QString& paper, int letterMarginPoints = 0);
    QString setDefaultQueue(const QString& q) { return run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), q}); }
    QString removeQueue(const QString& name) { return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name}); }

    // Where the queue's printed PDFs land (one file per job, named after the job's number).
    QString outputFolder(const QString& queue) const { return path(QStringLiteral("out-") + queue); }
    // The PDF of the job, once the scheduler reports it completed; empty after the timeout.
    QString waitForJobOutput(const QString& queue, int job, int timeoutMs = 90000) const;
    // All the jobs the scheduler has seen for the queue, finished or not.
    int jobCount(const QString& queue) const;

private:
    QString run(const QString& program, const QStringList& arguments) const;
    QString path(const QString& name) const { return dir_.path() + u'/' + name; }

    QTemporaryDir dir_;
    QProcess cupsd_;
    QStringList backendConfigs_; // the cups-pdf settings files written for our queues
};

} // namespace quillet::test
