#include "ui/ConverterWindow.hpp"

#include "ui/DesignControls.hpp"
#include "ui/MenuItemAccessible.hpp"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace korvane::ui {

namespace {
const QRect kClientArea = FromTwips(0, 0, 5850, 4320);
} // namespace

ConverterWindow::ConverterWindow(const QString& caption, const QFont& font,
                                 const QString& datumItemName, const QString& switchItemName,
                                 const QString& switchCaption)
    : client_(new QWidget(this)) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(kClientArea.size());
    client_->setFont(font);
    PaintDesignBackground(client_);
    setCentralWidget(client_);

    QMenu* file = menuBar()->addMenu(QStringLiteral(u"\u0645\u0644\u0641"));
    file->setObjectName(QStringLiteral("file"));
    QAction* datum = file->addAction(QStringLiteral("Data Datum"));
    datum->setObjectName(datumItemName);
    QAction* closed = file->addAction(QStringLiteral(u"\u0625\u063A\u0644\u0627\u0642"));
    closed->setObjectName(QStringLiteral("Closed"));
    QAction* switchItem = menuBar()->addAction(switchCaption); // on the bar, no drop-down
    switchItem->setObjectName(switchItemName);
    DescribeMenuItem(file->menuAction(), QStringLiteral("File"),
                     QStringLiteral("Data Datum, and Close, which ends the program"));
    DescribeMenuItem(datum, QStringLiteral("Data Datum"),
                     QStringLiteral("Writes the table of the ellipsoids to a file and opens it"));
    DescribeMenuItem(closed, QStringLiteral("Close"), QStringLiteral("Ends the program"));
    DescribeMenuItem(
        switchItem, switchCaption,
        QStringLiteral("Closes this window and opens the window %1").arg(switchCaption));
    connect(datum, &QAction::triggered, this, &ConverterWindow::datumReportRequested);
    connect(closed, &QAction::triggered, this, &ConverterWindow::endRequested);
    connect(switchItem, &QAction::triggered, this, &ConverterWindow::switchRequested);
}

void ConverterWindow::TextSelected() {
    if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        box->setSelection(0, static_cast<int>(box->text().size()));
    }
}

void ConverterWindow::SelectOnEntry(QLineEdit* box) {
    box->installEventFilter(this);
}

bool ConverterWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // After the event that gave the focus: a mouse click would place the cursor and
        // undo a selection made now. By then the focus may have moved on.
        QPointer<QObject> entered = watched;
        QTimer::singleShot(0, this, [this, entered] {
            if (entered != nullptr && QApplication::focusWidget() == entered) {
                TextSelected();
            }
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void ConverterWindow::Finish(QPushButton* button) {
    button_ = button;
    adjustSize();
    setFixedSize(sizeHint());
}

void ConverterWindow::keyPressEvent(QKeyEvent* event) {
    // Boxes, closed lists and the button leave Enter to the window. An open list is a window of
    // its own: there Enter only picks the item, and never reaches this one.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && button_) {
        button_->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace korvane::ui
