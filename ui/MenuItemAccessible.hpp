#pragma once

class QAction;
class QString;

namespace korvane::ui {

// Gives a menu item a name and a description of its own for screen readers. Qt names a menu item
// by its caption and describes none; an Arabic caption means little to a reader speaking English.
void DescribeMenuItem(QAction* item, const QString& name, const QString& description);

} // namespace korvane::ui
