#pragma once

#include "commands/RegionalSeparators.hpp"

#include <string>

namespace korvane {

// The controls of the Lat/Long window that its conversion reads and writes.
class LatLongControls {
  public:
    virtual ~LatLongControls() = default;

    virtual std::string TxtLat(int index) const = 0;  // latitude degrees, minutes, seconds
    virtual std::string TxtLong(int index) const = 0; // longitude degrees, minutes, seconds
    virtual std::string Combo1Text() const = 0;       // latitude hemisphere
    virtual std::string Combo2Text() const = 0;       // longitude hemisphere
    virtual int Combo3Position() const = 0;           // datum list position, -1 for none

    virtual void ShowFrame1() = 0;
    virtual void SetText1(const std::string& text) = 0; // northing
    virtual void SetText2(const std::string& text) = 0; // easting
    virtual void SetLabZ(const std::string& caption) = 0;
    virtual void SetLabZm(const std::string& caption) = 0;
    virtual void SetTxtM(const std::string& text) = 0; // military grid reference
};

// The command behind "Convert to UTM". The boxes are read in the regional form as well
// (RegionalReading), and the results written with the regional separators. A rejected input
// shows "Error" in the northing and easting boxes and leaves the zone captions and the grid
// reference as they were.
void RunLatLongCommand(LatLongControls& window, const RegionalSeparators& separators);

} // namespace korvane
