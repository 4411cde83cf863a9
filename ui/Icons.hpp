#pragma once

#include <QIcon>
#include <QString>

namespace korvane::ui {

// The program's icon: the UTM window's picture at every size of the desktops' icon themes.
QIcon ProgramIcon();

// A window's own icon, "latlong" or "utm", at every size the program holds of it.
QIcon WindowIcon(const QString& name);

} // namespace korvane::ui
