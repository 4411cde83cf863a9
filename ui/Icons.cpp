#include "ui/Icons.hpp"

#include <QFile>

// The pictures are compiled into a static library, whose resources the linker leaves out of the
// program unless they are asked for by name; this asks, once. Outside every namespace, as the
// name it asks for is.
static void RegisterIconResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace korvane::ui {

QIcon WindowIcon(const QString& name) {
    RegisterIconResources();
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/icons/%1-%2.png").arg(name).arg(size);
        if (QFile::exists(file)) {
            icon.addFile(file, QSize(size, size));
        }
    }
    return icon;
}

QIcon ProgramIcon() {
    return WindowIcon(QStringLiteral("utm"));
}

} // namespace korvane::ui
