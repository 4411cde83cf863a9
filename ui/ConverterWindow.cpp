#include "ui/ConverterWindow.hpp"

#include "ui/DesignControls.hpp"
#include "ui/MenuItemAccessible.hpp"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>

namespace korvane::ui {

namespace {

const QRect kClientArea = FromTwips(0, 0, 5850, 4320);

// The menu commands' keys, shown beside the file menu's items; the captions stay as they are,
// without mnemonics. Ctrl+S is the usual key for writing a file, which "Data Datum" does (Ctrl+D,
// D for datum, is a text box's Delete on X11); Ctrl+Q ends a program; Ctrl+Tab goes to a
// program's next window, here its other one. No text box or list takes any of them.
const QKeySequence kDatumKey(Qt::CTRL | Qt::Key_S);
const QKeySequence kCloseKey(Qt::CTRL | Qt::Key_Q);
const QKeySequence kSwitchKey(Qt::CTRL | Qt::Key_Tab);
// Opens the first menu, as on the Linux desktops.
const QKeySequence kMenuBarKey(Qt::Key_F10);

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
    datum->setShortcut(kDatumKey);
    closed->setShortcut(kCloseKey);
    switchItem->setShortcut(kSwitchKey);
    // A menu bar shows no key beside its own commands: the switch item tells its key on hover.
    menuBar()->installEventFilter(this);
    connect(new QShortcut(kMenuBarKey, this), &QShortcut::activated, this,
            &ConverterWindow::OpenMenuBar);
    connect(file, &QMenu::aboutToHide, this,
            [this] { QTimer::singleShot(0, this, &ConverterWindow::LeaveMenuBar); });
    connect(datum, &QAction::triggered, this, &ConverterWindow::datumReportRequested);
    connect(closed, &QAction::triggered, this, &ConverterWindow::endRequested);
    connect(switchItem, &QAction::triggered, this, &ConverterWindow::switchRequested);
}

void ConverterWindow::OpenMenuBar() {
    // The menu bar takes the keys, as after Alt: the arrows move along it, also to the command on
    // the bar itself, and Enter runs what is chosen. Escape once nothing is chosen, or F10 again,
    // which is Escape there, gives the focus back (LeaveMenuBar).
    if (menuBar()->hasFocus()) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(menuBar(), &escape);
        LeaveMenuBar();
        return;
    }
    leftForMenuBar_ = QApplication::focusWidget();
    menuBar()->setFocus(Qt::MenuBarFocusReason);
    menuBar()->setActiveAction(menuBar()->actions().constFirst()); // opens the file menu
}

void ConverterWindow::LeaveMenuBar() {
    if (menuBar()->hasFocus() && menuBar()->activeAction() == nullptr &&
        QApplication::activePopupWidget() == nullptr && leftForMenuBar_ != nullptr) {
        leftForMenuBar_->setFocus(Qt::MenuBarFocusReason);
        leftForMenuBar_ = nullptr;
    }
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
    // Once a key has done its work on the menu bar and left nothing chosen there (Escape, or a
    // command run), the focus goes back to where F10 found it; so does a command run from the
    // file menu, once the menu has closed.
    if (watched == menuBar() && event->type() == QEvent::KeyRelease) {
        QTimer::singleShot(0, this, &ConverterWindow::LeaveMenuBar);
    }
    if (watched == menuBar() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QAction* item = menuBar()->actionAt(help->pos());
        if (item != nullptr && item->menu() == nullptr && !item->shortcut().isEmpty()) {
            QToolTip::showText(help->globalPos(),
                               item->shortcut().toString(QKeySequence::NativeText), menuBar(),
                               menuBar()->actionGeometry(item));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
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
