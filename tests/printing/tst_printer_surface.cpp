#include "common/scripted_dialogs.h"
#include "printing/printer_surface.h"
#include "printing/selected_printer.h"
#include "support/pdf_text.h"
#include "support/test_environment.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

using namespace quillet;
using quillet::test::ReadPdfWords;

namespace {
// Letter paper, 0.25" unprintable at the left and right, 0.5" at the top and bottom.
void UseTestPaper(QPrinter& printer, const QString& path)
{
    UsePdfOutput(printer, path);
    printer.setResolution(600);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(0.25, 0.5, 0.25, 0.5), QPageLayout::Inch));
}
} // namespace

class TestPrinterSurface : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sheetIsPrintableAreaPlusMargins();
    void deviceCapabilitiesAgreeWithTheSheet();
    void textHeightIsTheLineAdvance();
    void textLandsWhereTheSurfaceSays();
    void eachDocumentIsAFileOfItsOwn();
    void abandonLeavesNothingBehind();
};

void TestPrinterSurface::sheetIsPrintableAreaPlusMargins()
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    UseTestPaper(printer, dir.filePath(QStringLiteral("out.pdf")));
    PrinterSurface surface(printer);
    surface.setUnit(DrawingSurface::Unit::Inches);
    QCOMPARE(surface.sheetWidth(), 8.5);
    QCOMPARE(surface.sheetHeight(), 11.0);
    QCOMPARE(surface.printableWidth(), 8.0);
    QCOMPARE(surface.printableHeight(), 10.0);
    surface.setUnit(DrawingSurface::Unit::Twips);
    QCOMPARE(surface.sheetWidth(), 8.5 * 1440);
    QCOMPARE(surface.printableHeight(), 10.0 * 1440);
}

void TestPrinterSurface::deviceCapabilitiesAgreeWithTheSheet()
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    UseTestPaper(printer, dir.filePath(QStringLiteral("out.pdf")));
    PrinterSurface surface(printer);
    QCOMPARE(surface.GetDeviceCaps(LOGPIXELSX), 600);
    QCOMPARE(surface.GetDeviceCaps(LOGPIXELSY), 600);
    QCOMPARE(surface.GetDeviceCaps(PHYSICALWIDTH), 5100);
    QCOMPARE(surface.GetDeviceCaps(PHYSICALHEIGHT), 6600);
    QCOMPARE(surface.GetDeviceCaps(PHYSICALOFFSETX), 150);
    QCOMPARE(surface.GetDeviceCaps(PHYSICALOFFSETY), 300);
    QCOMPARE(surface.GetDeviceCaps(HORZSIZE), 203); // 8 inches = 203.2 mm
    QCOMPARE(surface.GetDeviceCaps(VERTSIZE), 254);
    QCOMPARE(surface.GetDeviceCaps(1), 0);
}

void TestPrinterSurface::textHeightIsTheLineAdvance()
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    UseTestPaper(printer, dir.filePath(QStringLiteral("out.pdf")));
    PrinterSurface surface(printer);
    surface.setUnit(DrawingSurface::Unit::Inches);
    surface.setFontName(QStringLiteral("Arial"));
    surface.setFontSize(12);
    const QFontMetricsF metrics(surface.font(), &printer);
    QCOMPARE(surface.textHeight(QStringLiteral("X")), metrics.lineSpacing() / 600.0);
    QVERIFY(surface.textHeight(QStringLiteral("X")) > 12.0 / 72.0);
    QVERIFY(surface.textHeight(QStringLiteral("X")) < 2 * 12.0 / 72.0);
    const double narrow = surface.textWidth(QStringLiteral("iiii"));
    const double wide = surface.textWidth(QStringLiteral("WWWW"));
    QVERIFY(narrow > 0 && wide > 2 * narrow);
}

void TestPrinterSurface::textLandsWhereTheSurfaceSays()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    UseTestPaper(printer, path);
    PrinterSurface surface(printer);
    surface.setUnit(DrawingSurface::Unit::Inches);
    surface.setFontName(QStringLiteral("Arial"));
    surface.setFontSize(20);
    surface.currentX = 1.0;
    surface.currentY = 2.0;
    surface.drawText(QStringLiteral("Corner"));
    QCOMPARE(surface.currentY, 2.0);
    surface.newPage();
    surface.currentX = 0;
    surface.currentY = 0;
    surface.drawText(QStringLiteral("Origin"));
    surface.endDocument();
    QCOMPARE(surface.writtenFiles(), QStringList{path});
    const auto words = ReadPdfWords(path);
    QCOMPARE(words.size(), 2);
    // The origin is the printable area's corner: 0.25" from the left, 0.5" from the top.
    QCOMPARE(words[0].text, QStringLiteral("Corner"));
    QCOMPARE(words[0].page, 1);
    QVERIFY(qAbs(words[0].left - 1.25) < 0.02);
    QVERIFY(qAbs(words[0].top - 2.5) < 0.05);
    QCOMPARE(words[1].page, 2);
    QVERIFY(qAbs(words[1].left - 0.25) < 0.02);
    QVERIFY(qAbs(words[1].top - 0.5) < 0.05);
}

void TestPrinterSurface::eachDocumentIsAFileOfItsOwn()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Labels.pdf"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("already here");
    }
    QPrinter printer(QPrinter::HighResolution);
    UseTestPaper(printer, path);
    PrinterSurface surface(printer);
    surface.endDocument(); // nothing drawn: nothing written
    QVERIFY(surface.writtenFiles().isEmpty());
    for (const char* word : {"First", "Second"}) {
        surface.drawText(QString::fromLatin1(word));
        surface.endDocument();
    }
    QCOMPARE(surface.writtenFiles(),
             QStringList({dir.filePath(QStringLiteral("Labels-2.pdf")), dir.filePath(QStringLiteral("Labels-3.pdf"))}));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("already here"));
    QCOMPARE(ReadPdfWords(surface.writtenFiles().at(1)).value(0).text, QStringLiteral("Second"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

void TestPrinterSurface::abandonLeavesNothingBehind()
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    UseTestPaper(printer, dir.filePath(QStringLiteral("out.pdf")));
    {
        PrinterSurface surface(printer);
        surface.drawText(QStringLiteral("Gone"));
        surface.newPage();
        surface.drawText(QStringLiteral("Gone too"));
        QVERIFY(surface.documentOpen());
        surface.abandonDocument();
        QVERIFY(!surface.documentOpen());
        surface.drawText(QStringLiteral("Left open"));
    } // destroyed with a document open
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

QUILLET_TEST_MAIN(TestPrinterSurface)
#include "tst_printer_surface.moc"
