#include "ui/MenuItemAccessible.hpp"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QVariant>
#include <QWindow>

namespace korvane::ui {

namespace {

// The same property names as a widget's.
const char* const kName = "accessibleName";
const char* const kDescription = "accessibleDescription";

// What a screen reader learns of a described menu item: what Qt tells of any menu item, with the
// item's own name and description in place of its caption. Qt keeps one for each item and deletes
// it with the item.
class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    explicit MenuItemAccessible(QAction* item) : item_(item) {}

    bool isValid() const override { return item_ != nullptr && Owner() != nullptr; }
    QObject* object() const override { return item_; }
    QWindow* window() const override {
        QWidget* owner = Owner();
        return owner != nullptr ? owner->window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(Owner());
    }
    // An item that opens a menu has that menu as its one child.
    int childCount() const override { return item_->menu() != nullptr ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && item_->menu() != nullptr
                   ? QAccessible::queryAccessibleInterface(item_->menu())
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && item_->menu() != nullptr && child->object() == item_->menu()
                   ? 0
                   : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* menu = child(0);
        return menu != nullptr && menu->rect().contains(x, y) ? menu : nullptr;
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return item_->property(kName).toString();
        case QAccessible::Description:
            return item_->property(kDescription).toString();
        case QAccessible::Accelerator:
            return item_->shortcut().toString(QKeySequence::NativeText);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        QWidget* owner = Owner();
        QRect local;
        if (auto* bar = qobject_cast<QMenuBar*>(owner)) {
            local = bar->actionGeometry(item_);
        } else if (auto* menu = qobject_cast<QMenu*>(owner)) {
            local = menu->actionGeometry(item_);
        }
        return local.isValid() ? QRect(owner->mapToGlobal(local.topLeft()), local.size()) : QRect();
    }
    QAccessible::Role role() const override {
        return item_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        QWidget* owner = Owner();
        state.invisible = owner == nullptr || !owner->isVisible() || !item_->isVisible();
        state.disabled = !item_->isEnabled();
        state.focusable = true;
        state.focused = ActiveItem() == item_;
        state.hasPopup = item_->menu() != nullptr;
        state.checkable = item_->isCheckable();
        state.checked = item_->isChecked();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override {
        if (!item_->isEnabled()) {
            return {};
        }
        return {item_->menu() != nullptr ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& actionName) override {
        if (!item_->isEnabled()) {
            return;
        }
        if (actionName == pressAction()) {
            item_->trigger();
        } else if (actionName == showMenuAction()) {
            if (auto* bar = qobject_cast<QMenuBar*>(Owner())) {
                bar->setActiveAction(item_);
            } else if (auto* menu = qobject_cast<QMenu*>(Owner())) {
                menu->setActiveAction(item_);
            }
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    // The menu or menu bar that shows the item.
    QWidget* Owner() const {
        if (item_ == nullptr) {
            return nullptr;
        }
        for (QObject* shown : item_->associatedObjects()) {
            if (qobject_cast<QMenu*>(shown) != nullptr ||
                qobject_cast<QMenuBar*>(shown) != nullptr) {
                return static_cast<QWidget*>(shown);
            }
        }
        return nullptr;
    }
    QAction* ActiveItem() const {
        if (auto* bar = qobject_cast<QMenuBar*>(Owner())) {
            return bar->activeAction();
        }
        if (auto* menu = qobject_cast<QMenu*>(Owner())) {
            return menu->activeAction();
        }
        return nullptr;
    }

    QPointer<QAction> item_;
};

QAccessibleInterface* DescribedMenuItems(const QString&, QObject* object) {
    auto* item = qobject_cast<QAction*>(object);
    return item != nullptr && item->property(kName).isValid() ? new MenuItemAccessible(item)
                                                              : nullptr;
}

} // namespace

void DescribeMenuItem(QAction* item, const QString& name, const QString& description) {
    static const bool installed = [] {
        QAccessible::installFactory(DescribedMenuItems);
        return true;
    }();
    (void)installed;
    item->setProperty(kName, name);
    item->setProperty(kDescription, description);
}

} // namespace korvane::ui
