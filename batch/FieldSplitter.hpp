#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Splits a line into its fields at its separator: the tab when the line holds one, so that a
// comma inside a field of a tab-separated line ("12,5", "Paris, FR") stays in its field; else the
// comma; else runs of blanks, as GeoConvert's and proj's files and pasted lists have them (the
// blanks around the line passed over). A field that starts (after blanks) with a double quote is
// read as a CSV field: up to the closing quote, separators inside it kept and "" standing for one
// quote; blanks may follow the closing quote, and a quoted first field is ended by the separator
// that follows it. A quote inside an unquoted field is an ordinary character, as in
// 15°52'31.11"N.
class FieldSplitter {
  public:
    // Gives an empty text, or why the line cannot be split: a quote that is not closed on the
    // line, or text after a closing quote. The fields stay valid until the next call and as long
    // as the line does.
    std::string Split(std::string_view line);
    std::span<const std::string_view> Fields() const { return fields_; }
    // Whether the last line split held more than one field, separated by blanks: where blanks
    // also stand inside the usual notations, it has fewer readings than a line of commas.
    bool BlankSeparated() const { return blankSeparated_; }

  private:
    std::string SplitAt(std::string_view line, char unquotedSeparator);
    std::string SplitAtBlanks(std::string_view line);
    // Reads the quoted field at line[start] (its opening quote); gives where its closing quote
    // ends.
    std::size_t ReadQuoted(std::string_view line, std::size_t start, std::string& failure);
    // The failure of the last field read.
    std::string TextAfterQuote() const;

    std::vector<std::string_view> fields_;
    std::string unquoted_; // the fields that held "", without them; never reallocated mid-line
    bool quotes_ = false;
    bool blankSeparated_ = false;
};

} // namespace korvane
