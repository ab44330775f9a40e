#include "printing/printer_surface.h"
#include "support/pdf_text.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPrinter>
#include <QTemporaryDir>

using namespace quillet;
using namespace quillet::test;

namespace {
// A PDF printer on Letter paper, 0.25" unprintable at the left and right, 0.5" at the top and bottom.
struct TestPrinter {
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    std::unique_ptr<PrinterSurface> surface;

    TestPrinter()
    {
        UseLetterPdf(printer, path(QStringLiteral("Labels.pdf")), {0.25, 0.5, 0.25, 0.5});
        surface = std::make_unique<PrinterSurface>(printer);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};
} // namespace

class TestPrinterSurface : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sheetIsPrintableAreaPlusMargins()
    {
        TestPrinter p;
        PrinterSurface& surface = *p.surface;
        surface.setUnit(DrawingSurface::Unit::Inches);
        QCOMPARE(QSizeF(surface.sheetWidth(), surface.sheetHeight()), QSizeF(8.5, 11));
        QCOMPARE(QSizeF(surface.printableWidth(), surface.printableHeight()), QSizeF(8, 10));
        surface.setUnit(DrawingSurface::Unit::Twips);
        QCOMPARE(surface.sheetWidth(), 8.5 * 1440);
        QCOMPARE(surface.printableHeight(), 10.0 * 1440);
        QList<int> caps;
        for (int cap : std::initializer_list<int>{LOGPIXELSX, LOGPIXELSY, PHYSICALWIDTH, PHYSICALHEIGHT,
                                                  PHYSICALOFFSETX, PHYSICALOFFSETY, HORZSIZE, VERTSIZE, 1})
            caps << surface.GetDeviceCaps(cap);
        // 8 printable inches are 203.2 mm, 10 are 254.
        QCOMPARE(caps, QList<int>({600, 600, 5100, 6600, 150, 300, 203, 254, 0}));
    }

    void textHeightIsTheLineAdvance()
    {
        TestPrinter p;
        PrinterSurface& surface = *p.surface;
        surface.setUnit(DrawingSurface::Unit::Inches);
        surface.setFontName(QStringLiteral("Arial"));
        surface.setFontSize(12);
        const double height = surface.textHeight(QStringLiteral("X"));
        QCOMPARE(height, QFontMetricsF(surface.font(), &p.printer).lineSpacing() / 600.0);
        QVERIFY(height > 12.0 / 72.0 && height < 2 * 12.0 / 72.0);
        const double narrow = surface.textWidth(QStringLiteral("iiii"));
        QVERIFY(narrow > 0 && surface.textWidth(QStringLiteral("WWWW")) > 2 * narrow);
    }

    void eachDocumentIsAFileOfItsOwn()
    {
        TestPrinter p;
        PrinterSurface& surface = *p.surface;
        WriteBytes(p.path(QStringLiteral("Labels.pdf")), "already here");
        surface.endDocument(); // nothing drawn: nothing written
        QVERIFY(surface.writtenFiles().isEmpty());
        surface.setUnit(DrawingSurface::Unit::Inches);
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
        surface.drawText(QStringLiteral("Second"));
        surface.endDocument();
        QCOMPARE(surface.writtenFiles(), QStringList({p.path("Labels-2.pdf"), p.path("Labels-3.pdf")}));
        QCOMPARE(p.files(), QStringList({"Labels-2.pdf", "Labels-3.pdf", "Labels.pdf"}));
        QCOMPARE(ReadBytes(p.path(QStringLiteral("Labels.pdf"))), QByteArray("already here"));
        QCOMPARE(ReadPdfWords(p.path("Labels-3.pdf")).value(0).text, QStringLiteral("Second"));
        // The origin is the printable area's corner: 0.25" from the left, 0.5" from the top.
        const auto words = ReadPdfWords(p.path("Labels-2.pdf"));
        QCOMPARE(words.size(), 2);
        QVERIFY(words[0].text == QStringLiteral("Corner") && words[0].page == 1);
        QVERIFY(qAbs(words[0].left - 1.25) < 0.02 && qAbs(words[0].top - 2.5) < 0.05);
        QVERIFY(words[1].text == QStringLiteral("Origin") && words[1].page == 2);
        QVERIFY(qAbs(words[1].left - 0.25) < 0.02 && qAbs(words[1].top - 0.5) < 0.05);
    }

    void abandonLeavesNothingBehind()
    {
        TestPrinter p;
        p.surface->drawText(QStringLiteral("Gone"));
        p.surface->newPage();
        p.surface->drawText(QStringLiteral("Gone too"));
        QVERIFY(p.surface->documentOpen());
        p.surface->abandonDocument();
        QVERIFY(!p.surface->documentOpen());
        p.surface->drawText(QStringLiteral("Left open"));
        p.surface.reset(); // destroyed with a document open
        QVERIFY(p.files().isEmpty());
    }
};

QUILLET_TEST_MAIN(TestPrinterSurface)
#include "tst_printer_surface.moc"
