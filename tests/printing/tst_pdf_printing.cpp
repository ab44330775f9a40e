#include "model/factory_layouts.h"
#include "model/run_state.h"
#include "printing/painter_surface.h"
#include "printing/pdf_output_name.h"
#include "printing/printing_form.h"
#include "support/pdf_text.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

#include <sys/stat.h>

using namespace quillet;
using quillet::test::PdfWord;

namespace {

// The printing window (and its surface) on a PDF printer with Letter paper and the given unprintable margins.
struct Printing {
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    std::unique_ptr<PrintingForm> form;

    Printing(std::array<QString, 5> lines, double copies, QMarginsF margins = {}, int layout = 1)
    {
        Run().cancelRequested = false;
        test::UseLetterPdf(printer, path(), margins);
        form = std::make_unique<PrintingForm>(PrintJob{PrintJob::TypedText, lines, copies, 1, 1, layout}, printer);
        form->show();
    }
    QString path() const { return dir.filePath(QStringLiteral("Labels.pdf")); }
    template <class T> T* child(const char* name) { return form->findChild<T*>(QString::fromLatin1(name)); }
    void start() { child<QPushButton>("StartButton")->click(); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    // Words of the n-th document written, in the order they were drawn.
    QList<PdfWord> words(int document = 0) const
    {
        return test::ReadPdfWords(form->surface().writtenFiles().value(document));
    }
};

} // namespace

class TestPdfPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ui.clear();
        Run().reset();
        SetFactoryLayouts();
    }
    void cleanup() { ui.checkAllUsed(); }

    void surfacesDrawOnAnyDeviceAndLeaveNoUnfinishedDocument()
    {
        // An image of 2 x 1 inches at 300 dpi: the whole of it is printable.
        QImage image(600, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(11811);
        const QImage blank = image;
        {
            PainterSurface surface(&image);
            surface.setUnit(DrawingSurface::Unit::Inches);
            QCOMPARE(QSizeF(surface.printableWidth(), surface.printableHeight()), QSizeF(2, 1));
            surface.currentX = 1;
            surface.currentY = 0.5;
            surface.drawText(QStringLiteral("Ann"));
            surface.endDocument();
        }
        // Ink only right of and below the position, and close to it.
        const auto white = [&](QRect r) { return image.copy(r) == blank.copy(r); };
        QVERIFY(white({0, 0, 300, 300}) && white({0, 0, 600, 150}) && !white({300, 150, 20, 50}));

        // A printer's document with nothing drawn, and one left open when the surface goes, leave
        // nothing behind (an abandoned one is the cancelled run's).
        Printing p({}, 1);
        p.form->surface().endDocument();
        p.form->surface().drawText(QStringLiteral("Left open"));
        p.form.reset();
        QVERIFY(p.files().isEmpty());
    }

    void labelsLandOnThePaperWhereTheLayoutSays()
    {
        // Factory layout 1, "Avery 5160/8160", with and without unprintable margins.
        for (const QMarginsF margins : {QMarginsF(0, 0, 0, 0), QMarginsF(0.25, 0.5, 0.25, 0.5)}) {
            Printing p({"Ann", "Elm"}, 30, margins);
            p.start();
            QVERIFY(!p.form->isVisible());
            const auto words = p.words();
            QCOMPARE(words.size(), 60);
            for (int i = 0; i < 30; ++i) {
                const PdfWord& first = words[2 * i];
                QCOMPARE(first.text, QStringLiteral("Ann"));
                // To 0.01" across and 0.03" down: poppler puts a word's top at the font's ascent, a
                // little off the line's exact top.
                QVERIFY2(qAbs(first.left - 0.5 - i % 3 * 2.75) <= 0.01 && qAbs(first.top - 0.625 - i / 3) <= 0.03,
                         qPrintable(QStringLiteral("label %1 at %2, %3").arg(i + 1).arg(first.left).arg(first.top)));
            }
            QVERIFY(qAbs(words[1].top - words[0].top - 1.15 * 10 / 72) < 0.02); // one 10-point Arial line
            QCOMPARE(p.child<QLabel>("MeterLabel")->text(), QStringLiteral("100"));
        }
    }

    void centredTextIsCentredInItsPrintedFont()
    {
        // Layout 6, the name badge: centred on 3.375" labels from 1.5" in, line 1 in 14-point Times New
        // Roman and the others in 12-point Arial. A word wider than the label starts left of its edge.
        SetLayoutCell(6, SeparateFonts, QStringLiteral("1"));
        Printing badge({"Mid", "Considerably", QString(30, u'W')}, 1, {}, 6);
        badge.start();
        const auto words = badge.words();
        QCOMPARE(words.size(), 3);
        for (const PdfWord& w : words) QVERIFY(qAbs((w.left + w.right) / 2 - 1.5 - 3.375 / 2) < 0.02);
    }

    void pauseMakesEachSheetItsOwnFile()
    {
        Printing p({"Ann"}, 65);
        test::WriteBytes(p.path(), "kept");
        QStringList filesWhenAsked;
        ui.onMessage = [&](const MessageRequest&) {
            filesWhenAsked << p.files().join(u',');
            return filesWhenAsked.size() == 1 ? Answer::Ok : Answer::Cancel;
        };
        p.child<QCheckBox>("PauseCB")->setChecked(true);
        p.start(); // OK after the first sheet, Cancel after the second
        QCOMPARE(filesWhenAsked, QStringList({"Labels-2.pdf,Labels.pdf", "Labels-2.pdf,Labels-3.pdf,Labels.pdf"}));
        QCOMPARE(p.files(), QStringList({"Labels-2.pdf", "Labels-3.pdf", "Labels.pdf"}));
        QVERIFY(p.words(0).size() == 30 && p.words(1).size() == 30); // a sheet each
        QCOMPARE(test::ReadBytes(p.path()), QByteArray("kept"));
        QVERIFY(test::IsMessage(ui.last(),
                                QStringLiteral("Press OK to continue with next page, or Cancel to quit printing"),
                                QStringLiteral("Printing Page Pause"), Buttons::OkCancel, Icon::Question));
    }

    void outputNamesAreTakenWithoutReplacingOrFollowingLinks()
    {
        // "Labels.pdf" is a link to a file that does not exist yet: neither followed nor replaced.
        Printing p({"Ann"}, 1);
        const QString elsewhere = p.dir.filePath(QStringLiteral("elsewhere.pdf"));
        QVERIFY(QFile::link(elsewhere, p.path()));
        p.start();
        QCOMPARE(p.form->surface().writtenFiles(), QStringList{p.dir.filePath(QStringLiteral("Labels-2.pdf"))});
        QCOMPARE(p.words().size(), 1);
        QVERIFY(!QFileInfo::exists(elsewhere));
        QVERIFY(QFileInfo(p.path()).isSymLink());

        // A name taken by the time the file is moved is skipped. The moved file is gone from its old
        // place and readable as any new file of the user's is, not by its owner alone like the private copy.
        const QString finished = p.dir.filePath(QStringLiteral("finished"));
        test::WriteBytes(finished, "new");
        QVERIFY(QFile::setPermissions(finished, QFile::ReadOwner | QFile::WriteOwner));
        test::WriteBytes(p.dir.filePath(QStringLiteral("Labels-3.pdf")), "taken");
        const mode_t umaskBefore = ::umask(027);
        const QString moved = MoveToFreeName(finished, p.path());
        ::umask(umaskBefore);
        QCOMPARE(moved, p.dir.filePath(QStringLiteral("Labels-4.pdf")));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(moved).constData(), &st) == 0 && (st.st_mode & 0777) == 0640);
        QCOMPARE(test::ReadBytes(p.dir.filePath(QStringLiteral("Labels-3.pdf"))), QByteArray("taken"));
        QVERIFY(!QFileInfo::exists(finished));
    }

    void cancelAndDeclineLeaveNoOutput()
    {
        Printing cancelled({"Ann"}, 60);
        QObject::connect(cancelled.form.get(), &PrintingForm::progressShown, cancelled.form.get(), [&](int percent) {
            // Shown at the latest when the first sheet is finished.
            if (percent > 50 && percent < 95)
                QTimer::singleShot(0, cancelled.child<QPushButton>("CancelButton"), &QPushButton::click);
        });
        cancelled.start();
        QVERIFY(Run().cancelRequested && !cancelled.form->isVisible() && cancelled.files().isEmpty());

        ui.answer(Answer::No);
        SetLayoutCell(1, TopOffset, QStringLiteral("2.5")); // row 10 runs off the sheet
        Printing declined({"Ann"}, 30);
        declined.start();
        QVERIFY(!declined.form->isVisible() && declined.files().isEmpty());

        Printing unstarted({"Ann"}, 1);
        unstarted.child<QPushButton>("CancelButton")->click();
        QVERIFY(Run().cancelRequested && !unstarted.form->isVisible() && unstarted.files().isEmpty());
    }

    void controlsAndPrinterSetup()
    {
        Printing p({"Ann"}, 90); // three sheets
        QVERIFY(!p.child<QWidget>("Meter")->isVisible() && !p.child<QLabel>("MeterLabel")->isVisible());
        const QString other = p.dir.filePath(QStringLiteral("Other.pdf"));
        ui.answerPrintSetup(true, [&](QPrinter& printer) { printer.setOutputFileName(other); });
        p.child<QPushButton>("PrinterSetupButton")->click();
        QCOMPARE(ui.printSetupRequests, std::vector<PrintSetupPurpose>{PrintSetupPurpose::Printing});
        QCOMPARE(p.child<QLabel>("OutputLabel")->text(), QStringLiteral("Output: PDF file ") + other);

        int checked = 0, shown = 0;
        std::vector<int> values;
        QObject::connect(p.form.get(), &PrintingForm::progressShown, p.form.get(), [&](int percent) {
            values.push_back(percent);
            if (percent < 2) return;
            ++shown;
            // While the run goes on, its printer and its start are fixed.
            checked += !p.child<QPushButton>("PrinterSetupButton")->isEnabled() &&
                       !p.child<QPushButton>("StartButton")->isEnabled() && p.child<QWidget>("Meter")->isVisible();
        });
        p.start();
        QVERIFY(shown > 10 && checked == shown);
        // Not after every label, but at least whenever a sheet is finished (30 and 60 of 90 labels).
        const auto has = [&](int percent) { return std::find(values.begin(), values.end(), percent) != values.end(); };
        QVERIFY(values.size() < 90 && has(65) && has(80));
        QCOMPARE(p.form->surface().writtenFiles(), QStringList{other});
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
};

QUILLET_TEST_MAIN(TestPdfPrinting)
#include "tst_pdf_printing.moc"
