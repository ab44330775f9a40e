#include "program_print_timing.h"

#include "model/data_file.h"
#include "model/run_state.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>

#include <sys/resource.h>

namespace quillet::bench {

ProgramPrintFigures TimeProgramPrint(const QString& folder, int copies)
{
    ProgramPrintFigures f;
    QString data = folder + QStringLiteral("/program-bench.QX3");
    if (!QFile::exists(data)) {
        if (SaveDataFile(data) != 1) return f;
        Run().dataFileHandle.release();
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    program.start(QStringLiteral(QUILLET_PROGRAM),
                  {"--print", data, "--layout", "1", "--what", "all", "--copies", QString::number(copies), "--pdf",
                   folder + QStringLiteral("/program-bench.pdf"), "--yes"});
    program.waitForFinished(-1);
    f.seconds = double(clock.nsecsElapsed()) / 1e9;
    f.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    // Its messages (the copies question answered, the output named) matter only when it failed.
    if (f.status != 0) std::fputs(program.readAllStandardError().constData(), stderr);
    for (const QByteArray& written : program.readAllStandardOutput().split('\n'))
        if (!written.isEmpty()) QFile::remove(QFile::decodeName(written));
    struct rusage usage {};
    if (::getrusage(RUSAGE_CHILDREN, &usage) == 0) f.peakMb = double(usage.ru_maxrss) / 1024.0;
    return f;
}

} // namespace quillet::bench
