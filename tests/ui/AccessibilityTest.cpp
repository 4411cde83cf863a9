#include "WindowProbe.hpp"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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
    QTest::addColumn<QString>("caption"); // what labels a box or list; for a menu item its key
}

// What a screen reader hears as a list's name, with its current item.
QString NameWithItem(const QString& name, const QString& item) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return name + QStringLiteral(", ") + item;
#else
    (void)item;
    return name;
#endif
}

// The names of the interfaces related to this one in this way.
QStringList Related(QAccessibleInterface* spoken, QAccessible::Relation relation) {
    QStringList names;
    for (const auto& [other, kind] : spoken->relations(relation)) {
        names << other->text(QAccessible::Name);
    }
    return names;
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
        const char* const gridCaption = "Military Grid Reference";
        Row("FrmConvert1", "TxtLat(0)", text, "Latitude degrees",
            "The latitude's degrees to convert", "Latitude");
        Row("FrmConvert1", "TxtLat(1)", text, "Latitude minutes",
            "The latitude's minutes to convert", "Latitude");
        Row("FrmConvert1", "TxtLat(2)", text, "Latitude seconds",
            "The latitude's seconds to convert", "Latitude");
        Row("FrmConvert1", "Combo1", list, "Latitude hemisphere", "N for north or S for south",
            "Latitude");
        Row("FrmConvert1", "TxtLong(0)", text, "Longitude degrees",
            "The longitude's degrees to convert", "Longitude");
        Row("FrmConvert1", "TxtLong(1)", text, "Longitude minutes",
            "The longitude's minutes to convert", "Longitude");
        Row("FrmConvert1", "TxtLong(2)", text, "Longitude seconds",
            "The longitude's seconds to convert", "Longitude");
        Row("FrmConvert1", "Combo2", list, "Longitude hemisphere", "E for east or W for west",
            "Longitude");
        Row("FrmConvert1", "Combo3", list, "Select Datum", datum, "Select Datum");
        Row("FrmConvert1", "Command1", QAccessible::Button, "Convert to UTM",
            "Converts the latitude and longitude to UTM");
        Row("FrmConvert1", "Text1", text, "Northing", "The northing in metres, or Error",
            "Northing");
        Row("FrmConvert1", "Text2", text, "Easting", "The easting in metres, or Error", "Easting");
        Row("FrmConvert1", "TxtM", text, "Military Grid Reference", grid, gridCaption);
        Row("FrmConvert2", "Text1(0)", text, "Northing", "The northing in metres", "Northing");
        // Beside the northing box, without a caption of its own.
        Row("FrmConvert2", "Combo1", list, "Hemisphere", "N for north or S for south");
        Row("FrmConvert2", "Text1(1)", text, "Easting", "The easting in metres", "Easting");
        Row("FrmConvert2", "Text1(2)", text, "Zone", "The UTM zone number", "Zone");
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
                    << axis;
            }
        }
        Row("FrmConvert2", "TxtM", text, "Military Grid Reference", grid, gridCaption);
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
        QTest::keyClick(shown->windowHandle(), Qt::Key_Return); // results in the boxes
        auto* widget = Find<QWidget>(shown.get(), control);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(spoken != nullptr);
        QCOMPARE(int(spoken->role()), role);
        QCOMPARE(spoken->text(QAccessible::Description), description);
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            // A list is named by its name, not by its current item alone, which is its value:
            // on AT-SPI, which has no other place for the item, the name goes on with it.
            QCOMPARE(spoken->text(QAccessible::Name), NameWithItem(name, list->currentText()));
            QCOMPARE(spoken->text(QAccessible::Value), list->currentText());
            list->setCurrentIndex(1);
            QCOMPARE(spoken->text(QAccessible::Name), NameWithItem(name, list->itemText(1)));
            QCOMPARE(spoken->text(QAccessible::Value), list->itemText(1));
            QCOMPARE(spoken->childCount(), 1);
            QCOMPARE(spoken->child(0)->object(), list->view());
        } else {
            QCOMPARE(spoken->text(QAccessible::Name), name);
        }
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(spoken->text(QAccessible::Value), box->text());
            QAccessibleTextInterface* read = spoken->textInterface();
            QVERIFY(read != nullptr);
            QCOMPARE(read->text(0, read->characterCount()), box->text());
            // A result box cannot be edited through a screen reader either.
            QCOMPARE(spoken->editableTextInterface() != nullptr, !box->isReadOnly());
            QCOMPARE(spoken->state().readOnly, box->isReadOnly());
        }
        // Labelled by its own caption alone, never by the frame's; the caption says so too, and
        // the frame does not claim it.
        const QStringList labels = Related(spoken, QAccessible::Label);
        QCOMPARE(labels, caption.isEmpty() ? QStringList() : QStringList{caption});
        for (const auto& [label, relation] : spoken->relations(QAccessible::Label)) {
            bool labelsThis = false;
            for (const auto& [other, kind] : label->relations(QAccessible::Labelled)) {
                labelsThis = labelsThis || other->object() == widget;
            }
            QVERIFY(labelsThis);
        }
        if (auto* frame = qobject_cast<QGroupBox*>(widget->parentWidget())) {
            QAccessibleInterface* group = QAccessible::queryAccessibleInterface(frame);
            QCOMPARE(group->text(QAccessible::Name), frame->title());
            QVERIFY(!Related(group, QAccessible::Labelled).contains(name));
        }
    }

    // A caption labels each box and list it stands for: "Latitude" its three boxes and the list.
    void aCaptionLabelsEachOfItsControls() {
        FrmConvert1 window;
        QVERIFY(ShowActive(&window));
        QAccessibleInterface* latitude =
            QAccessible::queryAccessibleInterface(Find<QLabel>(&window, "Label1"));
        QCOMPARE(latitude->text(QAccessible::Name), QStringLiteral("Latitude"));
        QCOMPARE(Related(latitude, QAccessible::Labelled),
                 (QStringList{"Latitude degrees", "Latitude minutes", "Latitude seconds",
                              NameWithItem(QStringLiteral("Latitude hemisphere"), "N")}));
        QVERIFY(Related(latitude, QAccessible::Label).isEmpty());
        // What has no caption of its own keeps the frame's.
        QAccessibleInterface* results =
            QAccessible::queryAccessibleInterface(Find<QGroupBox>(&window, "Frame1"));
        QCOMPARE(Related(results, QAccessible::Labelled), (QStringList{"----", "----"}));
    }

    // A screen reader reads, selects and edits an input box as a user does, within its limit of
    // characters, and finds each character where it is drawn.
    void aScreenReaderEditsABoxAsTyping() {
        FrmConvert1 window;
        QVERIFY(ShowActive(&window));
        auto* seconds = Find<QLineEdit>(&window, "TxtLat(2)"); // "31.11", six characters at most
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(seconds);
        QAccessibleTextInterface* text = spoken->textInterface();
        QAccessibleEditableTextInterface* edit = spoken->editableTextInterface();
        QVERIFY(text != nullptr && edit != nullptr);
        QCOMPARE(text->characterCount(), 5);
        text->setSelection(0, 3, 5);
        QCOMPARE(seconds->selectedText(), QStringLiteral("11"));
        int start = 0;
        int end = 0;
        text->selection(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(3, 5));
        edit->insertText(5, QStringLiteral("234"));
        QCOMPARE(seconds->text(), QStringLiteral("31.112"));
        edit->replaceText(2, 6, QStringLiteral(",5"));
        QCOMPARE(seconds->text(), QStringLiteral("31,5"));
        edit->deleteText(2, 4);
        QCOMPARE(seconds->text(), QStringLiteral("31"));
        for (int offset = 0; offset < 2; ++offset) {
            const QRect drawn = text->characterRect(offset);
            QVERIFY(QRect(seconds->mapToGlobal(QPoint(0, 0)), seconds->size()).contains(drawn));
            QCOMPARE(text->offsetAtPoint(drawn.center() - QPoint(drawn.width() / 4, 0)), offset);
        }
        // A result box can be read, not edited.
        QAccessibleInterface* northing =
            QAccessible::queryAccessibleInterface(Find<QLineEdit>(&window, "Text1"));
        QVERIFY(northing->editableTextInterface() == nullptr);
        northing->setText(QAccessible::Value, QStringLiteral("1"));
        QCOMPARE(Find<QLineEdit>(&window, "Text1")->text(), QString());
    }

    // Reached as a screen reader reaches them: from the menu bar down.
    void everyMenuItemHasItsName_data() {
        Columns();
        const auto item = QAccessible::MenuItem;
        for (const char* window : {"FrmConvert1", "FrmConvert2"}) {
            const bool latLong = std::string_view(window) == "FrmConvert1";
            Row(window, "file", item, "File", "Data Datum, and Close, which ends the program");
            Row(window, latLong ? "Datum" : "DatumD", item, "Data Datum",
                "Writes the table of the ellipsoids to a file and opens it", "Ctrl+S");
            Row(window, "Closed", item, "Close", "Ends the program", "Ctrl+Q");
            Row(window, latLong ? "UTMc" : "Latc", item,
                latLong ? "Convert UTM" : "Convert Lat, Long",
                latLong ? "Closes this window and opens the window Convert UTM"
                        : "Closes this window and opens the window Convert Lat, Long",
                "Ctrl+Tab");
        }
    }
    void everyMenuItemHasItsName() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QString, caption);
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
        QCOMPARE(spoken->text(QAccessible::Accelerator), caption); // the item's key
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
