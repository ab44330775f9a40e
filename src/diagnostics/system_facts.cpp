#include "diagnostics/system_facts.h"

#include "common/numbers.h"
#include "common/program_folder.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSysInfo>

#include <cmath>

namespace quillet {

namespace {

// The first line of a small system file, trimmed; empty when it cannot be read.
QString FirstLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readLine(256)).trimmed();
}

int BatteryLevel(const QString& supply)
{
    const QString level = FirstLine(supply + QStringLiteral("/capacity_level"));
    if (level == u"Critical") return BatteryStatus::CriticallyLow;
    if (level == u"Low") return BatteryStatus::Low;
    if (level == u"Normal" || level == u"High" || level == u"Full") return BatteryStatus::High;
    const QString capacity = FirstLine(supply + QStringLiteral("/capacity"));
    if (capacity.isEmpty()) return BatteryStatus::Unknown;
    const double percent = ReadNumber(capacity);
    return percent < 5 ? BatteryStatus::CriticallyLow : percent < 33 ? BatteryStatus::Low : BatteryStatus::High;
}

QSize Twips(const QRect& pixels, const QScreen& screen)
{
    const auto twips = [](int px, double dpi) { return int(std::lround(px * 1440.0 / dpi)); };
    return QSize(twips(pixels.width(), screen.logicalDotsPerInchX()),
                 twips(pixels.height(), screen.logicalDotsPerInchY()));
}

} // namespace

int ReadBatteryStatus(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists()) return BatteryStatus::Unknown;
    // The entries are links to the devices' folders.
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString supply = dir.filePath(name);
        if (FirstLine(supply + QStringLiteral("/type")) != u"Battery") continue;
        if (FirstLine(supply + QStringLiteral("/present")) == u"0") continue;
        if (FirstLine(supply + QStringLiteral("/status")) == u"Charging") return BatteryStatus::Charging;
        return BatteryLevel(supply);
    }
    return BatteryStatus::NoBattery;
}

KernelRelease ReadKernelRelease(const QString& procFolder)
{
    KernelRelease release;
    release.version = static_cast<float>(ReadNumber(FirstLine(procFolder + QStringLiteral("/sys/kernel/osrelease"))));
    const QString version = FirstLine(procFolder + QStringLiteral("/sys/kernel/version"));
    if (version.startsWith(u'#')) release.build = static_cast<int>(ReadNumber(version.mid(1).left(9)));
    return release;
}

SystemFacts ReadSystemFacts()
{
    SystemFacts facts;
    const QString kernel = QSysInfo::kernelType();
    facts.platform = kernel == u"winnt" ? QStringLiteral("2") : kernel;
    const KernelRelease release = ReadKernelRelease(QStringLiteral("/proc"));
    facts.version = release.version;
    facts.build = release.build;
    facts.batteryStatus = ReadBatteryStatus(QStringLiteral("/sys/class/power_supply"));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        facts.workArea = Twips(screen->availableGeometry(), *screen);
        facts.screen = Twips(screen->geometry(), *screen);
    }
    facts.programFolder = ProgramFolder();
    if (facts.programFolder.size() > 1 && facts.programFolder.endsWith(u'/')) facts.programFolder.chop(1);
    return facts;
}

} // namespace quillet
