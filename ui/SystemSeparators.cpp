#include "ui/SystemSeparators.hpp"

#include <QLocale>

namespace korvane::ui {

RegionalSeparators SystemSeparators() {
    // The program's locale, the system's unless a test sets another with QLocale::setDefault.
    const QLocale locale;
    return {locale.groupSeparator().toStdString(), locale.decimalPoint().toStdString()};
}

} // namespace korvane::ui
