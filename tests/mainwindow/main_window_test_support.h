#pragma once

#include "mainwindow/main_window.h"
#include "support/scripted_dialogs.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
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
template <class Widget> Widget* Control(QWidget& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control named %s", name);
    return widget;
}

// The first label's position as "column,row".
inline QString Position(MainWindow& w)
{
    return w.startColBox()->text() + u',' + w.startRowBox()->text();
}

inline void SetPosition(MainWindow& w, const char* column, const char* row)
{
    w.startColBox()->setText(QString::fromLatin1(column));
    w.startRowBox()->setText(QString::fromLatin1(row));
}

// What Qt sends when the user moves on from a box (Tab by default).
inline void LeaveBox(QWidget* box, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent event(QEvent::FocusOut, reason);
    QApplication::sendEvent(box, &event);
}

// Acts on the next modal window as soon as it shows.
inline void WhenModal(const std::function<void(QWidget*)>& act)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            act(modal);
        }
    });
    poll->start(5);
}

} // namespace quillet::test
