// The data file at its limits: how long the header check and the load take to answer inputs
// that never end or are far too large (a 20 GB sparse file, a link to /proc/self/pagemap, a FIFO,
// and a sparse file just under the largest size the writer can make), and how much memory a save
// of the largest possible table needs beyond the table itself.
//
//     quillet_file_bench [folder]    files go to a temporary folder in `folder` (default /tmp)

#include "process_memory.h"

#include "model/data_file.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "support/scripted_dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillet;
using namespace quillet::bench;

namespace {

void TimeReading(const char* what, const QString& path)
{
    ScriptedDialogs ui;
    // Every report is answered so that the command ends: Cancel, Abort, or Yes to load anyway.
    ui.onMessage = [](const MessageRequest& m) {
        return m.buttons == Buttons::YesNo         ? Answer::Yes
               : m.buttons == Buttons::RetryCancel ? Answer::Cancel
                                                   : Answer::Abort;
    };
    QElapsedTimer timer;
    timer.start();
    const int header = CheckDataFileHeader(path, false);
    const double headerSeconds = timer.nsecsElapsed() / 1e9;
    timer.restart();
    const int load = LoadDataFile(path, false);
    const double loadSeconds = timer.nsecsElapsed() / 1e9;
    Run().dataFileHandle.release();
    std::printf("%-44s header check %d in %.3f s, load %d in %.3f s%s\n", what, header, headerSeconds, load,
                loadSeconds,
                ui.messages.empty()
                    ? ""
                    : qPrintable(QStringLiteral("; said: ") +
                                 ui.messages[0].text.section(QStringLiteral("Error: "), 1).section(u'\r', 0, 0)));
}

void Sparse(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
        std::fprintf(stderr, "cannot make %s\n", qPrintable(path));
}

void TimeSave(const char* what, QChar fill, const QString& path)
{
    LayoutData().erase();
    // Every cell as long as the reader keeps, each its own string, as a loaded table holds them.
    for (int s = 0; s < SlotCount; ++s)
        for (int f = 0; f < FieldCount; ++f)
            for (int e = 0; e < SubEntryCount; ++e)
                LayoutData().setCell(s, f, e, QString(TextFileReader::MaxLineChars - 5, fill));
    const double table = ResidentMegabytes();
    ResetPeak();
    ScriptedDialogs ui;
    QElapsedTimer timer;
    timer.start();
    QString name = path;
    const int saved = SaveDataFile(name);
    const double seconds = timer.nsecsElapsed() / 1e9;
    Run().dataFileHandle.release();
    std::printf("%-44s saved %d in %.2f s: file %.0f MB, resident with the table %.0f MB, peak during the save "
                "%.0f MB (+%.0f MB)\n",
                what, saved, seconds, QFile(path).size() / 1e6, table, PeakMegabytes(), PeakMegabytes() - table);
    QFile::remove(path);
    LayoutData().erase();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    QTemporaryDir dir(base + QStringLiteral("/quillet-file-bench-XXXXXX"));
    const auto file = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };

    Sparse(file("huge.QX3"), 20LL << 30);
    TimeReading("20 GB sparse file", file("huge.QX3"));
    QFile::link(QStringLiteral("/proc/self/pagemap"), file("pagemap.QX3"));
    TimeReading("link to /proc/self/pagemap", file("pagemap.QX3"));
    ::mkfifo(QFile::encodeName(file("fifo.QX3")).constData(), 0600);
    TimeReading("FIFO", file("fifo.QX3"));
    Sparse(file("largest.QX3"), MaxDataFileBytes);
    TimeReading("sparse file of the largest size, one line", file("largest.QX3"));
    QFile::remove(file("largest.QX3"));
    // The same size in cell lines of 256 KiB, each a marker and NULs: every line is over-long.
    Sparse(file("lines.QX3"), MaxDataFileBytes);
    {
        QFile lines(file("lines.QX3"));
        lines.open(QIODevice::ReadWrite);
        for (qint64 at = 256 * 1024 - 1; at < MaxDataFileBytes; at += 256 * 1024)
            lines.seek(at), lines.write("\n01011");
    }
    TimeReading("the same in lines of 256 KiB", file("lines.QX3"));
    QFile::remove(file("lines.QX3"));

    TimeSave("largest table, Windows-1252", u'x', file("save-1252.QX3"));
    TimeSave("largest table, UTF-8", QChar(0x015F), file("save-utf8.QX3"));
    return 0;
}
