#include "datumshift/ShiftOperation.hpp"

#include "datumshift/QuotedNumber.hpp"

namespace korvane {

std::string ShiftOperation::Describe() const {
    std::string text = name;
    if (!code.empty()) {
        text += " (" + code + ")";
    }
    if (ballpark) {
        text += ", a ballpark transformation";
    }
    text += accuracy ? ", accuracy " + QuotedNumber(*accuracy) + " m" : ", accuracy unknown";
    if (area) {
        text += ", in " + area->Text();
    }
    return text;
}

} // namespace korvane
