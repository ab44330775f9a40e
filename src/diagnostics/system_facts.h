#pragma once

#include <QSize>
#include <QString>

// What the diagnostics report tells of the system the program runs on. The readers of the
// system's own files take the folder to read from, so that a fake tree can stand in for it.
namespace quillet {

// Battery status as the report numbers it.
namespace BatteryStatus {
constexpr int High = 1;
constexpr int Low = 2;
constexpr int CriticallyLow = 4;
constexpr int Charging = 8;
constexpr int NoBattery = 128;
constexpr int Unknown = 255;
} // namespace BatteryStatus

struct SystemFacts {
    // "2" on a Windows NT kernel; elsewhere the kernel's own name ("linux").
    QString platform;
    float version = 0; // the kernel's major.minor version
    int build = 0;     // how many times this kernel was built, as it reports
    int batteryStatus = BatteryStatus::Unknown;
    QSize workArea; // twips: the screen less the panels and docks
    QSize screen;   // twips
    QString programFolder;
};

// From the power supplies in `folder` (normally /sys/class/power_supply): Charging, else the first
// battery's level; NoBattery when there is none; Unknown when the folder cannot be read.
int ReadBatteryStatus(const QString& folder);

struct KernelRelease {
    float version = 0;
    int build = 0;
};
// From sys/kernel/osrelease ("6.1.0-18-amd64" gives 6.1) and sys/kernel/version ("#1 SMP ..."
// gives 1) below `procFolder` (normally /proc); 0 for what cannot be read.
KernelRelease ReadKernelRelease(const QString& procFolder);

// The running system, its primary screen and the program's folder.
SystemFacts ReadSystemFacts();

} // namespace quillet
