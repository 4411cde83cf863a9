#include "ui/SystemSeparators.hpp"

#include <QLocale>

namespace korvane::ui {

RegionalSeparators SystemSeparators() {
    const QLocale locale = QLocale::system();
    return {locale.groupSeparator().toStdString(), locale.decimalPoint().toStdString()};
}

} // namespace korvane::ui
