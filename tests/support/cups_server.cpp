#include "support/cups_server.h"

#include "support/test_helpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <cups/cups.h>

#include <sys/stat.h>
#include <unistd.h>

namespace quillet::test {

namespace {

constexpr const char* StockDriver = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
constexpr const char* Scheduler = "/usr/sbin/cupsd";
// cups-pdf reads the settings of a queue whose device is "cups-pdf:/<name>" from here.
constexpr const char* BackendConfigFolder = "/etc/cups";

} // namespace

CupsServer::~CupsServer()
{
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(10000)) cupsd_.kill(); // and the process's destructor waits for it
    for (const QString& config : backendConfigs_) QFile::remove(config);
}

QString CupsServer::start()
{
    if (geteuid() != 0) return QStringLiteral("the scheduler and the PDF printer's backend need root");
    for (const char* needed : {Scheduler, StockDriver, "/usr/lib/cups/backend/cups-pdf", "/usr/sbin/lpadmin"})
        if (!QFileInfo::exists(QString::fromLatin1(needed))) return QStringLiteral("missing ") + needed;
    if (!dir_.isValid()) return QStringLiteral("no temporary folder");
    // Filters run as an unprivileged user and must reach the spool and temporary folders.
    ::chmod(QFile::encodeName(dir_.path()).constData(), 0755);
    for (const char* sub : {"etc/ppd", "spool", "cache", "state", "tmp", "log"}) QDir().mkpath(path(sub));
    ::chmod(QFile::encodeName(path("tmp")).constData(), 01777);
    const QString socket = path("cups.sock");
    WriteBytes(path("cupsd.conf"), QStringLiteral("Listen %1\nLogLevel warn\nBrowsing Off\nWebInterface No\n"
                                                  "DefaultAuthType None\n<Location />\n  Order allow,deny\n"
                                                  "  Allow all\n</Location>\n")
                                       .arg(socket)
                                       .toUtf8());
    WriteBytes(path("cups-files.conf"),
               QStringLiteral("ServerRoot %1\nRequestRoot %2\nCacheDir %3\nStateDir %4\nTempDir %5\n"
                              "ErrorLog %6/error_log\nAccessLog %6/access_log\nPageLog %6/page_log\n"
                              "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\nSystemGroup root\n")
                   .arg(path("etc"), path("spool"), path("cache"), path("state"), path("tmp"), path("log"))
                   .toUtf8());
    cupsd_.setProcessChannelMode(QProcess::ForwardedChannels);
    cupsd_.start(QString::fromLatin1(Scheduler), {QStringLiteral("-f"), QStringLiteral("-c"), path("cupsd.conf"),
                                                  QStringLiteral("-s"), path("cups-files.conf")});
    if (!cupsd_.waitForStarted(10000)) return QStringLiteral("the scheduler did not start");
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    cupsSetServer(QFile::encodeName(socket).constData());
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        if (cupsd_.state() == QProcess::NotRunning) return QStringLiteral("the scheduler stopped at once");
        if (QFileInfo::exists(socket) && run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).isEmpty()) return {};
        QThread::msleep(100);
    }
    return QStringLiteral("the scheduler does not answer");
}

QString CupsServer::run(const QString& program, const QStringList& arguments) const
{
    const ProgramRun r = RunProgram(program, arguments);
    return r.status == 0 ? QString() : program + QStringLiteral(": ") + (r.out + r.err).trimmed();
}

QString CupsServer::addPdfQueue(const QString& name, const QString& paper, int letterMarginPoints)
{
    QString driver = QString::fromLatin1(ReadBytes(QString::fromLatin1(StockDriver)));
    const int m = letterMarginPoints;
    driver.replace(
        QRegularExpression(QStringLiteral("^\\*ImageableArea Letter/US Letter: \"[^\"]*\""),
                           QRegularExpression::MultilineOption),
        QStringLiteral("*ImageableArea Letter/US Letter: \"%1 %2 %3 %4\"").arg(m).arg(m).arg(612 - m).arg(792 - m));
    const QString driverPath = path(name + QStringLiteral(".ppd"));
    WriteBytes(driverPath, driver.toLatin1());

    const QString device = QStringLiteral("quillet-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(name);
    const QString config = QStringLiteral("%1/cups-pdf-%2.conf").arg(QString::fromLatin1(BackendConfigFolder), device);
    QDir().mkpath(outputFolder(name));
    WriteBytes(config, QStringLiteral("Out %1\nLabel 1\nGrp root\n").arg(outputFolder(name)).toUtf8());
    backendConfigs_ << config;
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                           QStringLiteral("cups-pdf:/") + device, QStringLiteral("-P"), driverPath,
                                           // The scheduler would give a new queue the machine's paper.
                                           QStringLiteral("-o"), QStringLiteral("PageSize=") + paper});
}

int CupsServer::jobCount(const QString& queue) const
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    return count;
}

QString CupsServer::waitForJobOutput(const QString& queue, int job, int timeoutMs) const
{
    const QString marker = QStringLiteral("job_%1.pdf").arg(job);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs) {
        cups_job_t* jobs = nullptr;
        const int count =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_COMPLETED);
        bool done = false;
        for (int i = 0; i < count; ++i) done = done || (jobs[i].id == job && jobs[i].state == IPP_JSTATE_COMPLETED);
        cupsFreeJobs(count, jobs);
        if (done) {
            for (const QFileInfo& file :
                 QDir(outputFolder(queue)).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
                if (file.fileName().endsWith(marker)) return file.absoluteFilePath();
        }
        QThread::msleep(200);
    }
    return {};
}

} // namespace quillet::test
