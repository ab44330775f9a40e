#pragma once

#include "mainwindow/main_window.h"
#include "printing/selected_printer.h"
#include "support/pdf_text.h"
#include "support/scripted_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace quillet::test {

// The main window loaded with a fresh data set (the first factory layout, 3 columns of 10 rows,
// selected) and the dialogs that record its messages.
struct LoadedWindow {
    ScriptedDialogs ui;
    MainWindow window;
    LoadedWindow() { QVERIFY2(window.load(), "the main window did not start"); }
};

// The control of `window` with this objectName; fails the test when there is none.
template <class Widget = QWidget> Widget* Control(QWidget& window, const QString& name)
{
    auto* widget = window.findChild<Widget*>(name);
    if (!widget) qFatal("no control named %s", qPrintable(name));
    return widget;
}
inline void Click(QWidget& window, const QString& name)
{
    Control<QAbstractButton>(window, name)->click();
}

// The first label's position as "column,row".
inline QString Position(MainWindow& w)
{
    return w.startColBox()->text() + u',' + w.startRowBox()->text();
}

inline void SetPosition(MainWindow& w, const QString& column, const QString& row)
{
    w.startColBox()->setText(column);
    w.startRowBox()->setText(row);
}

inline QStringList Lines(MainWindow& w)
{
    QStringList lines;
    for (int i = 1; i <= 5; ++i) lines << w.labelLine(i);
    return lines;
}

inline void SetLines(MainWindow& w, const QStringList& lines)
{
    for (int i = 1; i <= 5; ++i) w.setLabelLine(i, lines.value(i - 1));
}

// Runs `drive` on the modal window that `open` brings up, and closes that window afterwards even
// when a check inside `drive` failed.
inline void WithModal(const std::function<void()>& open, const std::function<void(QWidget&)>& drive)
{
    QWidget* const opener = QApplication::activeModalWidget();
    bool driven = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal || modal == opener) return;
        poll.stop();
        drive(*modal);
        driven = true;
        if (modal) modal->close();
    });
    poll.start(5);
    open();
    QVERIFY2(driven, "no modal window came up");
}

// The selected printer writing to a private PDF; `print` prints the main window's labels through
// Print and the printing window's Start, and reads the words back.
struct PdfLabels {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Labels.pdf"));
    PdfLabels() { UsePdfOutput(SelectedPrinter(), path); }
    QList<PdfWord> print(MainWindow& w)
    {
        WithModal([&w] { w.printButton()->click(); },
                  [](QWidget& form) {
                      QCOMPARE(form.windowTitle(), QStringLiteral("Print"));
                      Click(form, QStringLiteral("StartButton"));
                  });
        return ReadPdfWords(path);
    }
};

inline QStringList Texts(const QList<PdfWord>& words)
{
    QStringList texts;
    for (const PdfWord& w : words) texts << w.text;
    return texts;
}

// Data rows of text columns: TextColumns({"a", "b"}); Row("name", "x", "y"); then Data("a").
inline void TextColumns(std::initializer_list<const char*> names)
{
    for (const char* name : names) QTest::addColumn<QString>(name);
}
template <class... Strings> void Row(const char* name, Strings... texts)
{
    (QTest::newRow(name) << ... << QString(texts));
}
inline QString Data(const char* column)
{
    return *static_cast<QString*>(QTest::qData(column, QMetaType::QString));
}

} // namespace quillet::test
