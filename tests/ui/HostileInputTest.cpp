#include "WindowProbe.hpp"
#include "support/TextShapes.hpp"
#include "ui/DesignControls.hpp"
#include "ui/FrmConvert1.hpp"
#include "ui/FrmConvert2.hpp"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

using namespace korvane::ui;
using namespace korvane::fuzz;

// Whatever a user types or pastes, the windows go on and every output box holds a result or
// "Error".
class HostileInputTest : public QObject {
    Q_OBJECT

  private:
    QRandomGenerator random{20261207};
    int results = 0;
    int errors = 0;

    QString RandomText(int maxLength) {
        static const QString extra = QStringLiteral(u"\u0627\u0644\u00e9\u00b0\u2032\u2033");
        QString text;
        const int length = static_cast<int>(random.bounded(maxLength + 1));
        for (int i = 0; i < length; ++i) {
            const auto pick = random.bounded(20);
            if (pick == 0) {
                text += extra[static_cast<int>(random.bounded(extra.size()))];
            } else if (pick < 8) {
                text += QChar(u"0123456789.-+eEdD&H, "[random.bounded(21)]);
            } else {
                text += QChar(static_cast<char16_t>(32 + random.bounded(95)));
            }
        }
        return text;
    }

    // Typed key by key; characters beyond ASCII arrive as key events with their text.
    static void Type(QLineEdit* box, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(box, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            }
        }
    }

    // Types, or now and then pastes a long text, into the box after selecting what it holds.
    void Enter(QLineEdit* box) {
        box->setFocus();
        box->selectAll();
        if (random.bounded(5) == 0) {
            QApplication::clipboard()->setText(RandomText(40).repeated(50));
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(box->text().size() <= box->maxLength());
        } else {
            Type(box, RandomText(14));
        }
    }

  private slots:
    void initTestCase() { InstallDesignLook(); }
    void init() { results = errors = 0; }

    void latLongWindow() {
        FrmConvert1 window;
        QVERIFY(ShowActive(&window));
        for (int datum = 0; datum < 14; ++datum) {
            Find<QComboBox>(&window, "Combo3")->setCurrentIndex(datum);
            for (int press = 0; press < 12; ++press) {
                for (const char* group : {"TxtLat", "TxtLong"}) {
                    for (int i = 0; i < 3; ++i) {
                        Enter(Find<QLineEdit>(&window, Indexed(group, i)));
                    }
                }
                Find<QComboBox>(&window, "Combo1")
                    ->setCurrentIndex(static_cast<int>(random.bounded(2)));
                Find<QComboBox>(&window, "Combo2")
                    ->setCurrentIndex(static_cast<int>(random.bounded(2)));
                QTest::mouseClick(Find<QPushButton>(&window, "Command1"), Qt::LeftButton);

                const QString text1 = Find<QLineEdit>(&window, "Text1")->text();
                const QString text2 = Find<QLineEdit>(&window, "Text2")->text();
                const QString grid = Find<QLineEdit>(&window, "TxtM")->text();
                const bool error =
                    text1 == QStringLiteral("Error") && text2 == QStringLiteral("Error");
                ++(error ? errors : results);
                QVERIFY2(error || (IsGroupedNumber(text1.toStdString()) &&
                                   IsGroupedNumber(text2.toStdString()) &&
                                   IsGridReference(grid.toStdString())),
                         qPrintable(text1 + " | " + text2 + " | " + grid));
                QVERIFY(grid.isEmpty() || IsGridReference(grid.toStdString()));
                QVERIFY(window.isVisible());
            }
        }
        QVERIFY2(results > 0 && errors > 0, "both results and errors were exercised");
    }

    void utmWindow() {
        FrmConvert2 window;
        QVERIFY(ShowActive(&window));
        for (int datum = 0; datum < 14; ++datum) {
            Find<QComboBox>(&window, "Combo3")->setCurrentIndex(datum);
            for (int press = 0; press < 12; ++press) {
                for (int i = 0; i < 3; ++i) {
                    Enter(Find<QLineEdit>(&window, Indexed("Text1", i)));
                }
                Find<QComboBox>(&window, "Combo1")
                    ->setCurrentIndex(static_cast<int>(random.bounded(2)));
                QTest::mouseClick(Find<QPushButton>(&window, "Command2"), Qt::LeftButton);

                const QString grid = Find<QLineEdit>(&window, "TxtM")->text();
                QStringList boxes;
                for (const char* group : {"TxtLat", "TxtLong"}) {
                    for (int i = 0; i < 4; ++i) {
                        boxes << Find<QLineEdit>(&window, Indexed(group, i))->text();
                    }
                }
                ++(grid == QStringLiteral("Error") ? errors : results);
                if (grid == QStringLiteral("Error")) {
                    QVERIFY2(boxes.join(QString()).isEmpty(), qPrintable(boxes.join('|')));
                } else {
                    QVERIFY2(IsGridReference(grid.toStdString()) &&
                                 IsWholeNumber(boxes[0].toStdString()) &&
                                 IsWholeNumber(boxes[1].toStdString()) &&
                                 IsPlainNumber(boxes[2].toStdString()) &&
                                 IsWholeNumber(boxes[4].toStdString()) &&
                                 IsPlainNumber(boxes[6].toStdString()),
                             qPrintable(boxes.join('|') + " | " + grid));
                }
                QVERIFY(window.isVisible());
            }
        }
        QVERIFY2(results > 0 && errors > 0, "both results and errors were exercised");
    }
};

QTEST_MAIN(HostileInputTest)
#include "HostileInputTest.moc"
