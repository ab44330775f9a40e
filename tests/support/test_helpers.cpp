#include "support/test_helpers.h"

#include "printing/selected_printer.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QTest>

namespace quillet::test {

bool IsMessage(const MessageRequest& m, const QString& text, const QString& title, Buttons buttons, Icon icon,
               Answer defaultButton)
{
    const bool same = m.text == text && m.title == title && m.buttons == buttons && m.icon == icon &&
                      EffectiveDefault(m) == EffectiveDefault({text, title, buttons, icon, defaultButton});
    if (!same) qWarning("message was [%s] titled [%s]", qPrintable(m.text), qPrintable(m.title));
    return same;
}

bool IsOnlyMessage(const ScriptedDialogs& ui, const QString& text, const QString& title, Buttons buttons, Icon icon,
                   Answer defaultButton)
{
    if (ui.messages.size() == 1) return IsMessage(ui.last(), text, title, buttons, icon, defaultButton);
    qWarning("%d messages shown, not one", int(ui.messages.size()));
    for (const MessageRequest& m : ui.messages) qWarning("  [%s]", qPrintable(m.text));
    return false;
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

ProgramRun RunProgram(const QString& program, const QStringList& arguments, const QString& folder,
                      const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder); // none: this process's
    process.start(program, arguments);
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(240000);
    if (!finished) process.kill();
    return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

void UseLetterPdf(QPrinter& printer, const QString& path, QMarginsF margins)
{
    UsePdfOutput(printer, path);
    printer.setResolution(600);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, margins, QPageLayout::Inch));
}

} // namespace quillet::test
