#pragma once

#include "commands/RegionalSeparators.hpp"

#include <string>

namespace korvane {

// The controls of the UTM window that its conversion reads and writes.
class UtmControls {
  public:
    virtual ~UtmControls() = default;

    virtual std::string Text1(int index) const = 0; // northing, easting, zone
    virtual std::string Combo1Text() const = 0;     // hemisphere
    virtual int Combo3Position() const = 0;         // datum list position, -1 for none

    virtual void ShowFrame2() = 0;
    virtual void SetTxtLat(int index, const std::string& text) = 0;  // degrees .. letter
    virtual void SetTxtLong(int index, const std::string& text) = 0; // degrees .. letter
    virtual void SetTxtM(const std::string& text) = 0;               // grid reference
};

// The command behind "Convert to  Lat, Long". The boxes are read in the regional form as well
// (RegionalReading), and the seconds written with the regional decimal separator. A failed
// conversion empties the latitude and longitude boxes and shows "Error" as the grid reference: no
// partial result stays on screen.
void RunUtmCommand(UtmControls& window, const RegionalSeparators& separators);

} // namespace korvane
