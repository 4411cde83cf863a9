#include "ui/ControlAccessible.hpp"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVariant>

namespace korvane::ui {

namespace {

// The caption a labelled control carries, empty for one without; the mark of a caption.
const char* const kCaption = "korvaneCaption";
const char* const kIsCaption = "korvaneIsCaption";

using Relations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

bool IsLabelled(const QObject* control) {
    return control->property(kCaption).isValid();
}

QLabel* CaptionOf(const QObject* control) {
    return control->property(kCaption).value<QPointer<QLabel>>();
}

bool IsCaption(const QObject* label) {
    return label->property(kIsCaption).toBool();
}

// Qt's relations of a widget, less the labels it finds (the frame's caption, buddies), which
// `labels` replace.
Relations WithLabels(const Relations& qtRelations, QAccessible::Relation match,
                     const QList<QWidget*>& labels, QAccessible::Relation relation) {
    Relations related;
    for (const auto& [other, kind] : qtRelations) {
        if (!(kind & (QAccessible::Label | QAccessible::Labelled))) {
            related.append({other, kind});
        }
    }
    if (match & relation) {
        for (QWidget* label : labels) {
            related.append({QAccessible::queryAccessibleInterface(label), relation});
        }
    }
    return related;
}

QList<QWidget*> CaptionList(const QObject* control) {
    QLabel* caption = CaptionOf(control);
    return caption != nullptr ? QList<QWidget*>{caption} : QList<QWidget*>{};
}

// What tells these interfaces from Qt's own.
struct Labelling {
    virtual ~Labelling() = default;
};

// A text box: its text as a screen reader reads, selects and, in an input box, edits it, as Qt's
// own; labelled by its caption.
class BoxAccessible : public QAccessibleWidget,
                      public Labelling,
                      public QAccessibleTextInterface,
                      public QAccessibleEditableTextInterface {
  public:
    explicit BoxAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        // A result box stays read-only for a screen reader too.
        if (type == QAccessible::EditableTextInterface && !Box()->isReadOnly()) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? Box()->text() : QAccessibleWidget::text(kind);
    }
    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind == QAccessible::Value && !Box()->isReadOnly()) {
            Box()->setText(text);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = Box()->isReadOnly();
        state.editable = !Box()->isReadOnly();
        state.selectableText = true;
        return state;
    }
    Relations relations(QAccessible::Relation match) const override {
        return WithLabels(QAccessibleWidget::relations(match), match, CaptionList(Box()),
                          QAccessible::Label);
    }

    // The text.
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && Box()->hasSelectedText()) {
            *start = Box()->selectionStart();
            *end = *start + Box()->selectionLength();
        }
    }
    int selectionCount() const override { return Box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) {
            Box()->deselect();
        }
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) {
            Box()->setSelection(start, end - start);
        }
    }
    int cursorPosition() const override { return Box()->cursorPosition(); }
    void setCursorPosition(int position) override { Box()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return Box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Box()->text().size()); }
    // Where the character is drawn: the boxes show their whole text from the left (no scrolling,
    // no alignment of their own), so its left edge is the width of the text before it.
    QRect characterRect(int offset) const override {
        const QString text = Box()->text();
        if (offset < 0 || offset >= text.size()) {
            return {};
        }
        QStyleOptionFrame option;
        option.initFrom(Box());
        const QRect contents =
            Box()->style()->subElementRect(QStyle::SE_LineEditContents, &option, Box());
        const QFontMetrics metrics = Box()->fontMetrics();
        constexpr int kBeforeText = 2; // QLineEdit keeps two pixels before its text
        const QRect inBox(contents.left() + kBeforeText +
                              metrics.horizontalAdvance(text.left(offset)),
                          contents.top() + (contents.height() - metrics.height()) / 2,
                          metrics.horizontalAdvance(text.at(offset)), metrics.height());
        return {Box()->mapToGlobal(inBox.topLeft()), inBox.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return Box()->cursorPositionAt(Box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        Box()->setCursorPosition(end);
        Box()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset; // a box has no attributes of text
        return {};
    }

    // Editing, within the box's limit of characters, as typing is.
    void deleteText(int start, int end) override {
        Box()->setText(Box()->text().remove(start, end - start));
    }
    void insertText(int offset, const QString& text) override {
        Box()->setText(Box()->text().insert(offset, text));
    }
    void replaceText(int start, int end, const QString& text) override {
        Box()->setText(Box()->text().replace(start, end - start, text));
    }

  private:
    QLineEdit* Box() const { return static_cast<QLineEdit*>(widget()); }
};

// A drop-down list, as Qt's own but for its name: its own, where Qt on Linux gives the current
// item alone; the item is its value.
class ListAccessible : public QAccessibleWidget, public Labelling {
  public:
    explicit ListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    // Its one child is the list of items it opens; the lists cannot be typed into.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(List()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == List()->view() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return Name();
        case QAccessible::Value:
            return List()->currentText();
        case QAccessible::Accelerator:
            return QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
        default:
            return QAccessibleWidget::text(kind);
        }
    }
    Relations relations(QAccessible::Relation match) const override {
        return WithLabels(QAccessibleWidget::relations(match), match, CaptionList(List()),
                          QAccessible::Label);
    }

    // Opening it, and as any control, taking the focus.
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (List()->view()->isVisible()) {
            List()->hidePopup();
        } else {
            List()->showPopup();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QComboBox* List() const { return static_cast<QComboBox*>(widget()); }

    QString Name() const {
        const QString name = QAccessibleWidget::text(QAccessible::Name);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        // A screen reader on AT-SPI learns a closed list's item from its name alone: Qt's bridge
        // offers no other place for it and tells a new item as a new name. So the name there says
        // what the list is, then its item: "Latitude hemisphere, N".
        const QString item = List()->currentText();
        if (!item.isEmpty()) {
            return name.isEmpty() ? item : name + QStringLiteral(", ") + item;
        }
#endif
        return name;
    }
};

// A caption: its text, and the controls it labels.
class CaptionAccessible : public QAccessibleWidget, public Labelling {
  public:
    explicit CaptionAccessible(QLabel* caption)
        : QAccessibleWidget(caption, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return static_cast<QLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }
    Relations relations(QAccessible::Relation match) const override {
        QList<QWidget*> labelled;
        for (QWidget* control : widget()->window()->findChildren<QWidget*>()) {
            if (IsLabelled(control) && CaptionOf(control) == widget()) {
                labelled.append(control);
            }
        }
        return WithLabels(QAccessibleWidget::relations(match), match, labelled,
                          QAccessible::Labelled);
    }
};

// A frame: its caption names it, and labels only what inside it has no caption of its own.
class FrameAccessible : public QAccessibleWidget, public Labelling {
  public:
    explicit FrameAccessible(QGroupBox* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return static_cast<QGroupBox*>(widget())->title();
        }
        return QAccessibleWidget::text(kind);
    }
    Relations relations(QAccessible::Relation match) const override {
        QList<QWidget*> labelled;
        if (!static_cast<QGroupBox*>(widget())->title().isEmpty()) {
            for (QWidget* inside : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!IsLabelled(inside) && !IsCaption(inside)) {
                    labelled.append(inside);
                }
            }
        }
        return WithLabels(QAccessibleWidget::relations(match), match, labelled,
                          QAccessible::Labelled);
    }
};

bool HoldsLabelled(const QObject* frame) {
    for (const QObject* inside : frame->children()) {
        if (IsLabelled(inside)) {
            return true;
        }
    }
    return false;
}

// Qt keeps one interface for each object and deletes it with the object. Only the labelled
// controls, their captions and their frames get these; the test of the class comes first, as
// Qt asks while the widget is being destroyed too.
QAccessibleInterface* LabelledControls(const QString&, QObject* object) {
    if (auto* box = qobject_cast<QLineEdit*>(object); box != nullptr && IsLabelled(box)) {
        return new BoxAccessible(box);
    }
    if (auto* list = qobject_cast<QComboBox*>(object); list != nullptr && IsLabelled(list)) {
        return new ListAccessible(list);
    }
    if (auto* caption = qobject_cast<QLabel*>(object); caption != nullptr && IsCaption(caption)) {
        return new CaptionAccessible(caption);
    }
    if (auto* frame = qobject_cast<QGroupBox*>(object); frame != nullptr && HoldsLabelled(frame)) {
        return new FrameAccessible(frame);
    }
    return nullptr;
}

// Qt makes a control's interface as soon as something about it changes, its text when it is
// made, and keeps it: one it has made already gives way to ours.
void UseLabellingInterface(QObject* object) {
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(object);
    if (made != nullptr && dynamic_cast<Labelling*>(made) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

} // namespace

void LabelControl(QWidget* control, QLabel* caption) {
    static const bool installed = [] {
        QAccessible::installFactory(LabelledControls);
        return true;
    }();
    (void)installed;
    control->setProperty(kCaption, QVariant::fromValue(QPointer<QLabel>(caption)));
    UseLabellingInterface(control);
    if (caption != nullptr) {
        caption->setProperty(kIsCaption, true);
        UseLabellingInterface(caption);
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control->parentWidget())) {
        UseLabellingInterface(frame);
    }
}

} // namespace korvane::ui
