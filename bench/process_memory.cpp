#include "process_memory.h"

#include <QByteArray>
#include <QFile>

namespace quillet::bench {

namespace {

double StatusMegabytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

} // namespace

double ResidentMegabytes()
{
    return StatusMegabytes("VmRSS:");
}

double PeakMegabytes()
{
    return StatusMegabytes("VmHWM:");
}

void ResetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

} // namespace quillet::bench
