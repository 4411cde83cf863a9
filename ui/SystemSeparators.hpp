#pragma once

#include "commands/RegionalSeparators.hpp"

namespace korvane::ui {

// The group and decimal separators of the user's regional settings.
RegionalSeparators SystemSeparators();

} // namespace korvane::ui
