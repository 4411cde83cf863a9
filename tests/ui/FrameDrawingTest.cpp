#include "WindowProbe.hpp"

#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace korvane::ui;

namespace {

QRect InWindow(QWidget* widget) {
    return {widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()};
}

// The first row, from the top of the column down, whose pixel is not in the colour, and the last
// of the rows that follow it unbroken; {-1, -1} when every pixel is in the colour.
std::pair<int, int> LineAcross(const QImage& shot, int x, int top, int bottom, QColor colour) {
    int first = top;
    while (first <= bottom && shot.pixelColor(x, first) == colour) {
        ++first;
    }
    if (first > bottom) {
        return {-1, -1};
    }
    int last = first;
    while (last < bottom && shot.pixelColor(x, last + 1) != colour) {
        ++last;
    }
    return {first, last};
}

} // namespace

// The frames as an X server draws them, checked on a screenshot of each window: the caption on
// the top line, the line clear of every control, and the window's colour inside.
class FrameDrawingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            QSKIP("needs an X server: run through under-xvfb.sh");
        }
        InstallDesignLook();
    }

    void frames_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("frame");
        QTest::newRow("Lat/Long input") << "FrmConvert1"
                                        << "Frame2";
        QTest::newRow("Lat/Long output") << "FrmConvert1"
                                         << "Frame1";
        QTest::newRow("UTM input") << "FrmConvert2"
                                   << "Frame1";
        QTest::newRow("UTM output") << "FrmConvert2"
                                    << "Frame2";
    }
    void frames() {
        QFETCH(QString, window);
        QFETCH(QString, frame);
        const auto shown = MakeWindow(window);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        shown->findChild<QPushButton*>()->click(); // results in the boxes, as a user sees them
        QTest::qWait(200);
        const QImage shot = shown->screen()->grabWindow(shown->winId()).toImage();
        auto* group = Find<QGroupBox>(shown.get(), frame);
        const QRect box = InWindow(group);
        const QColor background = kWindowBackground;
        QCOMPARE(shot.pixelColor(InWindow(shown->centralWidget()).bottomLeft()), background);

        // The top line, found right of the caption, runs the frame's width but for the gap
        // where the caption stands on it.
        const auto [lineTop, lineBottom] =
            LineAcross(shot, box.right() - 4, box.top(), box.bottom(), background);
        QVERIFY(lineTop >= 0);
        const QColor line = shot.pixelColor(box.right() - 4, lineTop);
        QList<int> gap;
        for (int x = box.left() + 2; x <= box.right() - 2; ++x) {
            if (shot.pixelColor(x, lineTop) != line) {
                gap << x;
            }
        }
        QVERIFY(!gap.isEmpty());
        QCOMPARE(gap.size(), gap.last() - gap.first() + 1); // one gap
        const auto [captionTop, captionBottom] =
            LineAcross(shot, gap.first() + 8, box.top(), lineBottom + 8, background); // "U", "L"
        QVERIFY2(captionTop < lineTop && captionBottom > lineBottom,
                 qPrintable(QStringLiteral("caption rows %1-%2, line rows %3-%4")
                                .arg(captionTop)
                                .arg(captionBottom)
                                .arg(lineTop)
                                .arg(lineBottom)));

        // Every control inside the frame lies below the line; the rest inside the line, but for
        // the caption's lower half, is the window's colour.
        QList<QRect> controls = {QRect(gap.first(), box.top(), static_cast<int>(gap.size()),
                                       group->fontMetrics().height())};
        for (QWidget* control : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(InWindow(control).top() > lineBottom, qPrintable(control->objectName()));
            controls << InWindow(control);
        }
        int checked = 0;
        for (int y = lineBottom + 1; y <= box.bottom() - 2; ++y) {
            for (int x = box.left() + 2; x <= box.right() - 2; ++x) {
                const bool covered =
                    std::any_of(controls.cbegin(), controls.cend(),
                                [x, y](const QRect& r) { return r.contains(x, y); });
                if (!covered) {
                    QVERIFY2(shot.pixelColor(x, y) == background,
                             qPrintable(QStringLiteral("%1 at %2, %3")
                                            .arg(shot.pixelColor(x, y).name())
                                            .arg(x)
                                            .arg(y)));
                    ++checked;
                }
            }
        }
        QVERIFY(checked > box.width() * box.height() / 3);
    }
};

QTEST_MAIN(FrameDrawingTest)
#include "FrameDrawingTest.moc"
