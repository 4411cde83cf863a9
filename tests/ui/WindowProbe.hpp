#pragma once

#include "ui/ConverterWindow.hpp"
#include "ui/DesignControls.hpp"
#include "ui/DesignLook.hpp"
#include "ui/FrmConvert1.hpp"
#include "ui/FrmConvert2.hpp"

#include <QLabel>
#include <QTest>
#include <QWidget>
#include <memory>

namespace korvane::ui {

// Finds a window's control by its design name and fails the test when it is missing.
template <typename Control> Control* Find(QWidget* window, const QString& name) {
    auto* control = window->findChild<Control*>(name);
    if (control == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return control;
}

// A window by its design name, "FrmConvert1" or "FrmConvert2".
inline std::unique_ptr<ConverterWindow> MakeWindow(const QString& name) {
    if (name == QStringLiteral("FrmConvert1")) {
        return std::make_unique<FrmConvert1>();
    }
    return std::make_unique<FrmConvert2>();
}

// Shows the window and waits until it has the focus, as a user's window would.
inline bool ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// A row of a geometry table: the control, its design parent and its rectangle in twips.
inline void GeometryRow(const char* name, const char* parent, const QRect& twips) {
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(parent) << twips;
}

// The control stands where the design puts it, inside its design parent. A label sizes itself
// to its caption, so only its corner is fixed.
inline void CheckDesignGeometry(QWidget* window, const QString& name, const QString& parent,
                                const QRect& twips) {
    auto* control = Find<QWidget>(window, name);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    const QRect expected = FromTwips(twips.x(), twips.y(), twips.width(), twips.height());
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->pos(), expected.topLeft());
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
    } else {
        QCOMPARE(control->geometry(), expected);
    }
}

// Lets queued work run: a selection made after the event that gave the focus.
inline void Settle() {
    QTest::qWait(20);
}

} // namespace korvane::ui
