#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Splits a line into its fields at its separator: the tab when the line holds one, else the
// comma, so that a comma inside a field of a tab-separated line ("12,5", "Paris, FR") stays in its
// field; a quoted first field is ended by the separator that follows its closing quote. A
// field that starts (after blanks) with a double quote is read as a CSV field: up to the closing
// quote, separators inside it kept and "" standing for one quote; blanks may follow the closing
// quote. A quote inside an unquoted field is an ordinary character, as in 15°52'31.11"N.
class FieldSplitter {
  public:
    // Gives an empty text, or why the line cannot be split: a quote that is not closed on the
    // line, or text after a closing quote. The fields stay valid until the next call and as long
    // as the line does.
    std::string Split(std::string_view line);
    std::span<const std::string_view> Fields() const { return fields_; }

  private:
    // Reads the quoted field at line[start] (its opening quote); gives where it ends. The
    // separator is the line's, or 0 while the first field is read.
    std::size_t ReadQuoted(std::string_view line, std::size_t start, char separator,
                           std::string& failure);

    std::vector<std::string_view> fields_;
    std::string unquoted_; // the fields that held "", without them; never reallocated mid-line
};

} // namespace korvane
