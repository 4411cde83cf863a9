#include "WindowProbe.hpp"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <QToolTip>

using namespace korvane::ui;

namespace {

// Everything the window's button writes: the result boxes and labels.
QStringList Results(QWidget* window) {
    QStringList results;
    for (auto* box : window->findChildren<QLineEdit*>()) {
        if (box->isReadOnly()) {
            results << box->objectName() + '=' + box->text();
        }
    }
    for (auto* label : window->findChildren<QLabel*>()) {
        results << label->objectName() + '=' + label->text();
    }
    return results;
}

QString GridReference(QWidget* window) {
    return Find<QLineEdit>(window, QStringLiteral("TxtM"))->text();
}

// The default input's grid reference in each window.
QString DefaultGridReference(const QString& window) {
    return window == QStringLiteral("FrmConvert1") ? QStringLiteral("38 P   MC  02339  55355")
                                                   : QStringLiteral("38 P   MC  02336  55352");
}

// How far a colour is from another, the largest difference of the three.
int Distance(QColor a, QColor b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

// Counts what the window's menu commands ask for, whichever way they are given.
struct MenuRequests {
    int datum = 0;
    int end = 0;
    int switched = 0;

    explicit MenuRequests(ConverterWindow* window) {
        QObject::connect(window, &ConverterWindow::datumReportRequested, [this] { ++datum; });
        QObject::connect(window, &ConverterWindow::endRequested, [this] { ++end; });
        QObject::connect(window, &ConverterWindow::switchRequested, [this] { ++switched; });
    }
    QString Counts() const { return QStringLiteral("%1 %2 %3").arg(datum).arg(end).arg(switched); }
};

// Where a key typed now goes: an open menu, else the widget with the focus.
QWidget* KeyReceiver() {
    return QApplication::activePopupWidget() != nullptr ? QApplication::activePopupWidget()
                                                        : QApplication::focusWidget();
}

QMenu* FileMenu(ConverterWindow* window) {
    return Find<QMenu>(window, QStringLiteral("file"));
}

// The colour in the middle of the left edge of a menu bar item, right of its border.
QColor ItemFace(QMenuBar* bar, QAction* item) {
    const QRect where = bar->actionGeometry(item);
    return bar->grab().toImage().pixelColor(where.left() + 2, where.center().y());
}

} // namespace

// What a keyboard user meets: Enter, the menu commands' keys, and where the focus is.
class EnterAndFocusTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallDesignLook(); }

    void enterInAnOpenListOnlyPicks_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("picked");
        QTest::newRow("latitude hemisphere") << "FrmConvert1"
                                             << "Combo1"
                                             << "S";
        QTest::newRow("longitude hemisphere") << "FrmConvert1"
                                              << "Combo2"
                                              << "W";
        QTest::newRow("Lat/Long datum") << "FrmConvert1"
                                        << "Combo3"
                                        << "NAD 83";
        QTest::newRow("UTM hemisphere") << "FrmConvert2"
                                        << "Combo1"
                                        << "S";
        QTest::newRow("UTM datum") << "FrmConvert2"
                                   << "Combo3"
                                   << "NAD 83";
    }
    void enterInAnOpenListOnlyPicks() {
        QFETCH(QString, window);
        QFETCH(QString, list);
        QFETCH(QString, picked);
        const auto shown = MakeWindow(window);
        QVERIFY(ShowActive(shown.get()));
        auto* combo = Find<QComboBox>(shown.get(), list);
        combo->setFocus(Qt::TabFocusReason);
        const QStringList before = Results(shown.get());

        // Opened, moved and picked from the keyboard, the keys arriving as from the desktop.
        QTest::keyClick(shown->windowHandle(), Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(combo->view()->isVisible());
        QWindow* popup = combo->view()->window()->windowHandle();
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->currentText(), picked);
        QCOMPARE(Results(shown.get()), before);

        // Once the list is closed, Enter is the window's again.
        QTest::keyClick(shown->windowHandle(), Qt::Key_Return);
        QVERIFY(GridReference(shown.get()) != QString());
    }

    void enterConverts_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        const int enter = Qt::Key_Return;
        QTest::newRow("Lat/Long input box") << "FrmConvert1"
                                            << "TxtLong(2)" << enter;
        QTest::newRow("Lat/Long keypad Enter") << "FrmConvert1"
                                               << "TxtLat(0)" << int(Qt::Key_Enter);
        QTest::newRow("Lat/Long button") << "FrmConvert1"
                                         << "Command1" << enter;
        QTest::newRow("Lat/Long result box") << "FrmConvert1"
                                             << "Text2" << enter;
        QTest::newRow("UTM input box") << "FrmConvert2"
                                       << "Text1(2)" << enter;
        QTest::newRow("UTM button") << "FrmConvert2"
                                    << "Command2" << enter;
        QTest::newRow("UTM closed list") << "FrmConvert2"
                                         << "Combo3" << enter;
    }
    void enterConverts() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, key);
        const auto shown = MakeWindow(window);
        QVERIFY(ShowActive(shown.get()));
        Find<QWidget>(shown.get(), control)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(shown->windowHandle(), Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(GridReference(shown.get()), DefaultGridReference(window));
    }

    void enterWithAModifierDoesNotConvert() {
        FrmConvert2 window;
        QVERIFY(ShowActive(&window));
        QTest::keyClick(window.windowHandle(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(GridReference(&window), QString());
    }

    // Each menu command has its key, which works wherever the focus is: in a box, a list, a
    // result box or on the button.
    void menuKeys_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("requests"); // report, end, switch
        const char* const controls[][2] = {{"TxtLat(2)", "Text1(1)"},
                                           {"Combo3", "Combo1"},
                                           {"TxtM", "TxtLong(2)"},
                                           {"Command1", "Command2"}};
        for (const auto& focus : controls) {
            QTest::addRow("Lat/Long report from %s", focus[0])
                << "FrmConvert1"
                << "Datum" << QKeySequence(QStringLiteral("Ctrl+S")) << focus[0] << "1 0 0";
            QTest::addRow("Lat/Long close from %s", focus[0])
                << "FrmConvert1"
                << "Closed" << QKeySequence(QStringLiteral("Ctrl+Q")) << focus[0] << "0 1 0";
            QTest::addRow("Lat/Long switch from %s", focus[0])
                << "FrmConvert1"
                << "UTMc" << QKeySequence(QStringLiteral("Ctrl+Tab")) << focus[0] << "0 0 1";
            QTest::addRow("UTM report from %s", focus[1])
                << "FrmConvert2"
                << "DatumD" << QKeySequence(QStringLiteral("Ctrl+S")) << focus[1] << "1 0 0";
            QTest::addRow("UTM close from %s", focus[1])
                << "FrmConvert2"
                << "Closed" << QKeySequence(QStringLiteral("Ctrl+Q")) << focus[1] << "0 1 0";
            QTest::addRow("UTM switch from %s", focus[1])
                << "FrmConvert2"
                << "Latc" << QKeySequence(QStringLiteral("Ctrl+Tab")) << focus[1] << "0 0 1";
        }
    }
    void menuKeys() {
        QFETCH(QString, window);
        QFETCH(QString, item);
        QFETCH(QKeySequence, key);
        QFETCH(QString, focus);
        QFETCH(QString, requests);
        const auto shown = MakeWindow(window);
        QVERIFY(ShowActive(shown.get()));
        QCOMPARE(shown->findChild<QAction*>(item)->shortcut(), key);
        const MenuRequests asked(shown.get());
        Find<QWidget>(shown.get(), focus)->setFocus(Qt::TabFocusReason);
        QTest::keySequence(shown->windowHandle(), key);
        QCOMPARE(asked.Counts(), requests);
    }

    // F10 opens the file menu; the arrow keys and Enter then reach every command, the switch
    // on the menu bar included. Once nothing is chosen on the menu bar, the focus is back where
    // it was.
    void f10OpensTheFileMenu_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QList<int>>("keys"); // after F10
        QTest::addColumn<QString>("requests");
        QTest::addColumn<bool>("focusBack");
        const int down = Qt::Key_Down;
        const int enter = Qt::Key_Return;
        const int escape = Qt::Key_Escape;
        for (const char* window : {"FrmConvert1", "FrmConvert2"}) {
            QTest::addRow("%s report", window)
                << window << QList<int>{down, enter} << "1 0 0" << true;
            QTest::addRow("%s close", window)
                << window << QList<int>{down, down, enter} << "0 1 0" << true;
            QTest::addRow("%s switch", window)
                << window << QList<int>{Qt::Key_Right, enter} << "0 0 1" << true;
            QTest::addRow("%s Escape once", window)
                << window << QList<int>{escape} << "0 0 0" << false;
            QTest::addRow("%s Escape twice", window)
                << window << QList<int>{escape, escape} << "0 0 0" << true;
            QTest::addRow("%s F10 again", window)
                << window << QList<int>{escape, Qt::Key_F10} << "0 0 0" << true;
        }
    }
    void f10OpensTheFileMenu() {
        QFETCH(QString, window);
        QFETCH(QList<int>, keys);
        QFETCH(QString, requests);
        QFETCH(bool, focusBack);
        const auto shown = MakeWindow(window);
        QVERIFY(ShowActive(shown.get()));
        QWidget* box = QApplication::focusWidget();
        const MenuRequests asked(shown.get());
        QMenu* file = FileMenu(shown.get());
        QTest::keyClick(shown->windowHandle(), Qt::Key_F10);
        QTRY_VERIFY(file->isVisible());
        QCOMPARE(shown->menuBar()->activeAction(), file->menuAction());
        for (const int key : keys) {
            QTest::keyClick(KeyReceiver(), Qt::Key(key));
            Settle();
        }
        QCOMPARE(asked.Counts(), requests);
        QVERIFY(!file->isVisible());
        if (focusBack) {
            QTRY_COMPARE(QApplication::focusWidget(), box);
        } else {
            QCOMPARE(QApplication::focusWidget(), shown->menuBar());
        }
    }

    // Alt alone puts the keyboard on the menu bar, with its first menu chosen and marked as when
    // open; Down opens it, Escape twice gives the focus back, and so does F10 (Escape there).
    void altChoosesTheFirstMenuVisibly_data() {
        QTest::addColumn<QList<int>>("keys"); // after Alt
        QTest::newRow("Down, Escape, Escape")
            << QList<int>{Qt::Key_Down, Qt::Key_Escape, Qt::Key_Escape};
        QTest::newRow("F10") << QList<int>{Qt::Key_F10};
    }
    void altChoosesTheFirstMenuVisibly() {
        QFETCH(QList<int>, keys);
        FrmConvert1 window;
        QVERIFY(ShowActive(&window));
        QWidget* box = QApplication::focusWidget();
        QMenuBar* bar = window.menuBar();
        QAction* file = FileMenu(&window)->menuAction();
        const QColor mark = bar->palette().color(QPalette::Highlight);
        QVERIFY(Distance(ItemFace(bar, file), mark) > 100);
        QTest::keyPress(window.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(window.windowHandle(), Qt::Key_Alt, Qt::NoModifier);
        QTRY_VERIFY(bar->hasFocus());
        QCOMPARE(bar->activeAction(), file);
        QVERIFY(!file->menu()->isVisible());
        QVERIFY2(Distance(ItemFace(bar, file), mark) <= 8, qPrintable(ItemFace(bar, file).name()));
        for (const int key : keys) {
            QTest::keyClick(KeyReceiver(), Qt::Key(key));
            if (key == Qt::Key_Down) {
                QTRY_VERIFY(file->menu()->isVisible());
            }
        }
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QVERIFY(Distance(ItemFace(bar, file), mark) > 100);
    }

    // A menu bar shows no key beside its own commands: the switch item tells it on hover.
    void theSwitchItemTellsItsKeyOnHover() {
        for (const char* name : {"FrmConvert1", "FrmConvert2"}) {
            const auto shown = MakeWindow(QString::fromLatin1(name));
            QVERIFY(ShowActive(shown.get()));
            QMenuBar* bar = shown->menuBar();
            const auto hover = [bar](QAction* item) {
                const QPoint at = bar->actionGeometry(item).center();
                QHelpEvent help(QEvent::ToolTip, at, bar->mapToGlobal(at));
                QApplication::sendEvent(bar, &help);
            };
            hover(bar->actions().at(1));
            QTRY_VERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), QStringLiteral("Ctrl+Tab"));
            hover(bar->actions().at(0)); // the file menu: its items show their keys
            QTRY_VERIFY(!QToolTip::isVisible());
        }
    }

    void focusMarkIsClearAndOnlyWithTheFocus_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::newRow("latitude hemisphere") << "FrmConvert1"
                                             << "Combo1";
        QTest::newRow("Lat/Long datum") << "FrmConvert1"
                                        << "Combo3";
        QTest::newRow("Lat/Long button") << "FrmConvert1"
                                         << "Command1";
        QTest::newRow("UTM hemisphere") << "FrmConvert2"
                                        << "Combo1";
        QTest::newRow("UTM button") << "FrmConvert2"
                                    << "Command2";
        for (const char* box : {"Text1", "Text2", "TxtM"}) {
            QTest::addRow("Lat/Long result %s", box) << "FrmConvert1" << box;
        }
        for (const char* box : {"TxtLat(0)", "TxtLong(3)", "TxtM"}) {
            QTest::addRow("UTM result %s", box) << "FrmConvert2" << box;
        }
    }
    void focusMarkIsClearAndOnlyWithTheFocus() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        const auto shown = MakeWindow(window);
        QVERIFY(ShowActive(shown.get()));
        QTest::keyClick(shown->windowHandle(), Qt::Key_Return); // results in the boxes
        auto* widget = Find<QWidget>(shown.get(), control);
        auto* box = qobject_cast<QLineEdit*>(widget);

        // At rest a list or a button looks exactly as Fusion draws it. (A box is drawn with the
        // design's narrower text margins, so the box is compared with itself below.)
        const QImage atRest = widget->grab().toImage();
        if (box == nullptr) {
            const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
            widget->setStyle(fusion.get());
            const QImage plain = widget->grab().toImage();
            widget->setStyle(nullptr);
            QCOMPARE(atRest, plain);
        }

        // With the focus, a ring in the highlight colour runs along its whole outline, where it
        // stands out from the control's light face; clear of the text's rows.
        widget->setFocus(Qt::TabFocusReason);
        const QImage focused = widget->grab().toImage();
        const QColor mark = widget->palette().color(QPalette::Highlight);
        const int w = focused.width() - 1;
        const int h = focused.height() - 1;
        const QPoint edge[] = {{w / 2, 1}, {w / 2, h - 1}, {1, 4}, {w - 1, 4}, {1, h - 4}};
        for (const QPoint point : edge) {
            QVERIFY2(Distance(focused.pixelColor(point), mark) <= 8,
                     qPrintable(focused.pixelColor(point).name()));
            QVERIFY(Distance(atRest.pixelColor(point), mark) > 100);
        }
        // A box's text stays as it was: the focus changes only the two pixels along its edge,
        // and a little more where the ring's rounded corners are smoothed.
        if (box != nullptr) {
            QVERIFY(!box->text().trimmed().isEmpty());
            QCOMPARE(focused.size(), atRest.size());
            const QRect inside = focused.rect().adjusted(2, 2, -2, -2);
            const auto inCorner = [&inside](int x, int y) {
                return (x < inside.left() + 2 || x > inside.right() - 2) &&
                       (y < inside.top() + 2 || y > inside.bottom() - 2);
            };
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                for (int x = inside.left(); x <= inside.right(); ++x) {
                    QVERIFY2(inCorner(x, y) || focused.pixel(x, y) == atRest.pixel(x, y),
                             qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
                }
            }
        }
    }
};

QTEST_MAIN(EnterAndFocusTest)
#include "EnterAndFocusTest.moc"
