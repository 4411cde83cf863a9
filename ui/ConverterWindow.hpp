#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QFont;
class QKeyEvent;
class QLineEdit;
class QPushButton;

namespace korvane::ui {

// What the two windows share: a fixed client area in the design colours, the menu bar with
// the file menu and the command that switches windows, their keys and F10 for the menu bar,
// Enter for the window's button, and TextSelected for the input boxes.
class ConverterWindow : public QMainWindow {
    Q_OBJECT

  public:
    // The currently focused text box gets its whole text selected.
    void TextSelected();

  signals:
    void datumReportRequested(); // "Data Datum"
    void endRequested();         // the file menu's close item: ends the program
    void switchRequested();      // the command on the menu bar

  protected:
    ConverterWindow(const QString& caption, const QFont& font, const QString& datumItemName,
                    const QString& switchItemName, const QString& switchCaption);

    QWidget* Client() const { return client_; }

    // Entering the box, by Tab or by mouse, runs TextSelected.
    void SelectOnEntry(QLineEdit* box);

    // Enter pressed anywhere in the window but in an open list presses the window's button;
    // the window is then laid out at its fixed size.
    void Finish(QPushButton* button);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // F10: the keyboard goes to the menu bar, with the file menu open; F10 again gives it back.
    void OpenMenuBar();
    // The focus goes back from the menu bar, where F10 took it, once nothing is chosen there.
    void LeaveMenuBar();

    QWidget* client_;
    QPushButton* button_ = nullptr;
    QPointer<QWidget> leftForMenuBar_; // where the focus was when F10 was pressed
};

} // namespace korvane::ui
