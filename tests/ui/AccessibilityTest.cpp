#include "WindowProbe.hpp"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QTest>
#include <string_view>

using namespace korvane::ui;

namespace {

// The menu item among the interface's descendants whose object is the action.
QAccessibleInterface* FindItem(QAccessibleInterface* parent, const QAction* action) {
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        if (child->object() == action) {
            return child;
        }
        if (QAccessibleInterface* found = FindItem(child, action)) {
            return found;
        }
    }
    return nullptr;
}

void Row(const char* window, const char* control, QAccessible::Role role, const char* name,
         const char* description, const char* caption = "") {
    QTest::addRow("%s %s", window, control)
        << QString::fromLatin1(window) << QString::fromLatin1(control) << int(role)
        << QString::fromLatin1(name) << QString::fromLatin1(description)
        << QString::fromLatin1(caption);
}

void Columns() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("caption"); // what labels a list
}

} // namespace

// What a screen reader is told of each control, through Qt's accessibility interface.
class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallDesignLook(); }

    void everyBoxListAndButtonHasItsName_data() {
        Columns();
        const auto text = QAccessible::EditableText;
        const auto list = QAccessible::ComboBox;
        const char* const datum = "The reference ellipsoid of the conversion";
        const char* const grid =
            "Zone, latitude band, 100 km square letters, easting and northing digits";
        Row("FrmConvert1", "TxtLat(0)", text, "Latitude degrees",
            "The latitude's degrees to convert");
        Row("FrmConvert1", "TxtLat(1)", text, "Latitude minutes",
            "The latitude's minutes to convert");
        Row("FrmConvert1", "TxtLat(2)", text, "Latitude seconds",
            "The latitude's seconds to convert");
        Row("FrmConvert1", "Combo1", list, "Latitude hemisphere", "N for north or S for south",
            "Latitude");
        Row("FrmConvert1", "TxtLong(0)", text, "Longitude degrees",
            "The longitude's degrees to convert");
        Row("FrmConvert1", "TxtLong(1)", text, "Longitude minutes",
            "The longitude's minutes to convert");
        Row("FrmConvert1", "TxtLong(2)", text, "Longitude seconds",
            "The longitude's seconds to convert");
        Row("FrmConvert1", "Combo2", list, "Longitude hemisphere", "E for east or W for west",
            "Longitude");
        Row("FrmConvert1", "Combo3", list, "Select Datum", datum, "Select Datum");
        Row("FrmConvert1", "Command1", QAccessible::Button, "Convert to UTM",
            "Converts the latitude and longitude to UTM");
        Row("FrmConvert1", "Text1", text, "Northing", "The northing in metres, or Error");
        Row("FrmConvert1", "Text2", text, "Easting", "The easting in metres, or Error");
        Row("FrmConvert1", "TxtM", text, "Military Grid Reference", grid);
        Row("FrmConvert2", "Text1(0)", text, "Northing", "The northing in metres");
        Row("FrmConvert2", "Combo1", list, "Hemisphere", "N for north or S for south", "  UTM ");
        Row("FrmConvert2", "Text1(1)", text, "Easting", "The easting in metres");
        Row("FrmConvert2", "Text1(2)", text, "Zone", "The UTM zone number");
        Row("FrmConvert2", "Combo3", list, "Select Datum", datum, "Select Datum");
        Row("FrmConvert2", "Command2", QAccessible::Button, "Convert to Lat, Long",
            "Converts the UTM coordinates to latitude and longitude");
        const QString parts[] = {QStringLiteral("degrees"), QStringLiteral("minutes"),
                                 QStringLiteral("seconds"), QStringLiteral("hemisphere")};
        const std::pair<const char*, QString> axes[] = {{"TxtLat", QStringLiteral("Latitude")},
                                                        {"TxtLong", QStringLiteral("Longitude")}};
        for (int i = 0; i < 4; ++i) {
            for (const auto& [group, axis] : axes) {
                const QString box = Indexed(group, i);
                QTest::addRow("FrmConvert2 %s", qPrintable(box))
                    << QStringLiteral("FrmConvert2") << box << int(text) << axis + ' ' + parts[i]
                    << QStringLiteral("The converted %1's %2").arg(axis.toLower(), parts[i])
                    << QString();
            }
        }
        Row("FrmConvert2", "TxtM", text, "Military Grid Reference", grid);
    }
    void everyBoxListAndButtonHasItsName() {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        const auto shown = MakeWindow(window);
        QVERIFY(ShowActive(shown.get()));
        QAccessibleInterface* spoken =
            QAccessible::queryAccessibleInterface(Find<QWidget>(shown.get(), control));
        QVERIFY(spoken != nullptr);
        QCOMPARE(int(spoken->role()), role);
        QCOMPARE(spoken->text(QAccessible::Description), description);
        auto* list = qobject_cast<QComboBox*>(spoken->object());
        if (list == nullptr) {
            QCOMPARE(spoken->text(QAccessible::Name), name);
            return;
        }
        // Qt names a list by its current item on Linux, and by its own name elsewhere; there
        // the caption beside it, where it has one, labels it.
        QCOMPARE(list->accessibleName(), name);
#ifdef Q_OS_UNIX
        QCOMPARE(spoken->text(QAccessible::Name), list->currentText());
#else
        QCOMPARE(spoken->text(QAccessible::Name), name);
#endif
        QStringList labels;
        for (const auto& [label, relation] : spoken->relations(QAccessible::Label)) {
            labels << label->text(QAccessible::Name);
        }
        QVERIFY2(labels.contains(caption), qPrintable(labels.join('|')));
    }

    // Reached as a screen reader reaches them: from the menu bar down.
    void everyMenuItemHasItsName_data() {
        Columns();
        const auto item = QAccessible::MenuItem;
        for (const char* window : {"FrmConvert1", "FrmConvert2"}) {
            const bool latLong = std::string_view(window) == "FrmConvert1";
            Row(window, "file", item, "File", "Data Datum, and Close, which ends the program");
            Row(window, latLong ? "Datum" : "DatumD", item, "Data Datum",
                "Writes the table of the ellipsoids to a file and opens it");
            Row(window, "Closed", item, "Close", "Ends the program");
            Row(window, latLong ? "UTMc" : "Latc", item,
                latLong ? "Convert UTM" : "Convert Lat, Long",
                latLong ? "Closes this window and opens the window Convert UTM"
                        : "Closes this window and opens the window Convert Lat, Long");
        }
    }
    void everyMenuItemHasItsName() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        const auto shown = MakeWindow(window);
        QVERIFY(ShowActive(shown.get()));
        auto* action = shown->findChild<QAction*>(control);
        if (action == nullptr) { // a drop-down menu is named, its item is its menu action
            action = Find<QMenu>(shown.get(), control)->menuAction();
        }
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(shown->menuBar());
        QAccessibleInterface* spoken = FindItem(bar, action);
        QVERIFY(spoken != nullptr);
        QCOMPARE(int(spoken->role()), role);
        QCOMPARE(spoken->text(QAccessible::Name), name);
        QCOMPARE(spoken->text(QAccessible::Description), description);
        QVERIFY(spoken->isValid());
        QVERIFY(spoken->parent()->object() == action->associatedObjects().constFirst());
        QVERIFY(!spoken->state().invisible || action->menu() == nullptr);
        QVERIFY(spoken->actionInterface() != nullptr);
    }

    // A screen reader presses a menu item through its action; the switch runs as from the mouse.
    void aMenuItemCanBePressed() {
        FrmConvert1 window;
        QVERIFY(ShowActive(&window));
        int switched = 0;
        connect(&window, &ConverterWindow::switchRequested, [&switched] { ++switched; });
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(window.menuBar());
        QAccessibleInterface* item = FindItem(bar, window.findChild<QAction*>("UTMc"));
        QVERIFY(item != nullptr);
        QCOMPARE(item->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(switched, 1);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
