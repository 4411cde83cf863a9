#pragma once

#include "ui/ConverterWindow.hpp"

#include <QTest>
#include <QWidget>

namespace korvane::ui {

// Finds a window's control by its design name and fails the test when it is missing.
template <typename Control> Control* Find(QWidget* window, const QString& name) {
    auto* control = window->findChild<Control*>(name);
    if (control == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return control;
}

// Shows the window and waits until it has the focus, as a user's window would.
inline bool ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Lets queued work run: a selection made after the event that gave the focus.
inline void Settle() {
    QTest::qWait(20);
}

} // namespace korvane::ui
