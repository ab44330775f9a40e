#pragma once

#include "addressbook/address_book.h"
#include "addressbook/letter_tabs.h"
#include "addressbook/record_list.h"
#include "support/scripted_dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace quillet::test {

template <class Widget> Widget* Find(QWidget& window, const QString& name)
{
    auto* widget = window.findChild<Widget*>(name);
    if (!widget) qFatal("no control named %s", qPrintable(name));
    return widget;
}

// The address book as the user meets it, shown and active.
struct Book {
    AddressBook window;
    Book()
    {
        window.show();
        QApplication::setActiveWindow(&window);
    }
    RecordList* list() { return Find<RecordList>(window, QStringLiteral("RecordList")); }
    QLineEdit* box(int line) { return Find<QLineEdit>(window, QStringLiteral("TB%1").arg(line)); }
    QAction* command(const char* name) { return Find<QAction>(window, QString::fromLatin1(name)); }
    int tab() { return Find<LetterTabs>(window, QStringLiteral("TabHolder"))->current(); }
    // The user clicks the tab with this letter.
    void pickTab(char letter) { Find<QToolButton>(window, QStringLiteral("Tab") + QChar(letter))->click(); }
    QStringList items()
    {
        QStringList texts;
        for (int row = 0; row < list()->count(); ++row)
            texts << list()->item(row)->text() + (list()->isChecked(row) ? QStringLiteral(" [x]") : QString());
        return texts;
    }
};

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

} // namespace quillet::test
