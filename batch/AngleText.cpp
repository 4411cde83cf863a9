#include "batch/AngleText.hpp"

#include "batch/DecimalText.hpp"
#include "batch/LineText.hpp"

#include <utility>

namespace korvane {

namespace {

enum Unit { kDegrees, kMinutes, kSeconds, kNoUnit };
constexpr const char* kUnitNames[] = {"degrees", "minutes", "seconds"};

// The marks of degrees, minutes and seconds, longest first: "''" is a seconds mark, not two
// minutes marks. The typographic quotes are what word processors make of ' and "; º and ˚ are
// what keyboards without ° give.
struct MarkForm {
    std::string_view text;
    Unit unit;
    bool letter; // d or m
};
constexpr MarkForm kMarks[] = {
    {"''", kSeconds, false},
    {"\xC2\xB0", kDegrees, false}, // °
    {"\xC2\xBA", kDegrees, false}, // º
    {"\xCB\x9A", kDegrees, false}, // ˚
    {"d", kDegrees, true},
    {"'", kMinutes, false},
    {"\xE2\x80\xB2", kMinutes, false}, // ′
    {"\xE2\x80\x99", kMinutes, false}, // ’
    {"m", kMinutes, true},
    {"\"", kSeconds, false},
    {"\xE2\x80\xB3", kSeconds, false}, // ″
    {"\xE2\x80\x9D", kSeconds, false}, // ”
};

struct Mark {
    Unit unit = kNoUnit;
    std::size_t length = 0;
    bool letter = false;
};

// The mark at the start of text. A lowercase "s" marks seconds only where the parts before were
// marked with the letters d and m ("15d52m31.11s"); anywhere else it is the southern hemisphere
// ("33.86s", "15°52'31.11s").
Mark ReadMark(std::string_view text, bool afterLetterMarks) {
    for (const auto& mark : kMarks) {
        if (text.starts_with(mark.text)) {
            return {mark.unit, mark.text.size(), mark.letter};
        }
    }
    if (afterLetterMarks && text.starts_with('s')) {
        return {kSeconds, 1, true};
    }
    return {};
}

char HemisphereLetter(char c) {
    switch (c) {
    case 'N':
    case 'n':
        return 'N';
    case 'S':
    case 's':
        return 'S';
    case 'E':
    case 'e':
        return 'E';
    case 'W':
    case 'w':
        return 'W';
    default:
        return 0;
    }
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

// The first character of text, whole even when it takes several bytes.
std::string_view FirstCharacter(std::string_view text) {
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        ++length;
    }
    return text.substr(0, length);
}

// Whether the whole part of an unsigned decimal is below 60.
bool BelowSixty(std::string_view number) {
    std::string_view whole = number.substr(0, number.find('.'));
    while (!whole.empty() && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    return whole.size() < 2 || (whole.size() == 2 && whole < "60");
}

class AngleParser {
  public:
    explicit AngleParser(std::string_view field) : field_(field), rest_(field) {}

    std::string Read(AngleText& angle) {
        if (const char letter = HemisphereLetter(Peek())) {
            angle_.hemisphere = letter;
            rest_ = WithoutLeadingBlanks(rest_.substr(1));
        }
        if (Peek() == '-' || Peek() == '+') {
            if (angle_.hemisphere != 0) {
                failure_ = kSignAndLetter;
                return failure_;
            }
            signed_ = true;
            angle_.negative = Peek() == '-';
            rest_.remove_prefix(1);
        }
        if (ReadParts() && ReadTrailingLetter()) {
            Check();
        }
        angle = angle_;
        return failure_;
    }

  private:
    static constexpr const char* kSignAndLetter =
        "has both a sign and a hemisphere letter: give one of them";

    char Peek() const { return rest_.empty() ? '\0' : rest_.front(); }

    bool Fail(std::string reason) {
        failure_ = std::move(reason);
        return false;
    }

    // The text cannot go on at rest_: name what stands there and what came before it.
    bool Unreadable() {
        const std::string_view read = field_.substr(0, field_.size() - rest_.size());
        if (Trimmed(read).empty() || rest_.empty()) {
            return Fail("is not a number");
        }
        return Fail("is not a number: " + Quoted(FirstCharacter(rest_)) + " cannot follow " +
                    Quoted(Trimmed(read)));
    }

    // One to three numbers, each with a mark or followed by a colon; the last may go without.
    bool ReadParts() {
        int previous = -1;
        bool marked = false;
        bool letterMarked = false;
        bool colons = false;
        for (;;) {
            const std::size_t length = UnsignedDecimalLength(rest_);
            if (length == 0) {
                return Unreadable();
            }
            std::string_view number = rest_.substr(0, length);
            rest_.remove_prefix(length);
            if (previous < 0) {
                // Only a lone number may have an exponent: "1e-05", never "1e1°".
                if (const std::size_t exponent = ExponentLength(rest_)) {
                    angle_.parts[kDegrees] = {number.data(), length + exponent};
                    rest_.remove_prefix(exponent);
                    return true;
                }
            }
            const std::string_view after = WithoutLeadingBlanks(rest_);
            const Mark mark = ReadMark(after, letterMarked);
            int unit = previous + 1;
            bool colonFollows = false;
            if (mark.unit != kNoUnit) {
                if (colons) {
                    return Fail("mixes colons with degree, minute or second marks");
                }
                if (mark.unit <= previous) {
                    return Fail(std::string("has its ") + kUnitNames[mark.unit] + " after its " +
                                kUnitNames[previous]);
                }
                unit = mark.unit;
                marked = true;
                letterMarked = mark.letter;
                rest_ = after.substr(mark.length);
            } else if (after.starts_with(':')) {
                if (marked) {
                    return Fail("mixes colons with degree, minute or second marks");
                }
                colons = colonFollows = true;
                rest_ = after.substr(1);
            }
            if (unit > kSeconds) {
                return Fail("has more than degrees, minutes and seconds");
            }
            angle_.parts[static_cast<std::size_t>(unit)] = number;
            previous = unit;
            rest_ = WithoutLeadingBlanks(rest_);
            // A number without a mark ends the parts; after a mark, the end or a letter does.
            if (!colonFollows &&
                (mark.unit == kNoUnit || rest_.empty() || HemisphereLetter(Peek()) != 0)) {
                return true;
            }
        }
    }

    bool ReadTrailingLetter() {
        rest_ = WithoutLeadingBlanks(rest_);
        if (rest_.empty()) {
            return true;
        }
        const char letter = HemisphereLetter(Peek());
        if (letter == 0) {
            return Unreadable();
        }
        if (angle_.hemisphere != 0) {
            return Fail("has two hemisphere letters");
        }
        if (signed_) {
            return Fail(kSignAndLetter);
        }
        angle_.hemisphere = letter;
        rest_ = WithoutLeadingBlanks(rest_.substr(1));
        return rest_.empty() || Unreadable();
    }

    // Only the last part may have decimals; minutes and seconds stay below 60.
    bool Check() {
        std::size_t last = kSeconds;
        while (angle_.parts[last].empty()) {
            --last;
        }
        for (std::size_t unit = 0; unit < last; ++unit) {
            if (angle_.parts[unit].find('.') != std::string_view::npos) {
                return Fail(std::string("has decimals in its ") + kUnitNames[unit] +
                            ": only the last part may have them");
            }
        }
        for (std::size_t unit = kMinutes; unit <= kSeconds; ++unit) {
            if (!angle_.parts[unit].empty() && !BelowSixty(angle_.parts[unit])) {
                return Fail(std::string("has ") + kUnitNames[unit] + " " +
                            std::string(angle_.parts[unit]) + ", which must be below 60");
            }
        }
        return true;
    }

    std::string_view field_;
    std::string_view rest_;
    AngleText angle_;
    bool signed_ = false;
    std::string failure_;
};

// The usual field, decimal degrees with at most a "-" and a point: read without the parser.
bool ReadPlainDegrees(std::string_view field, AngleText& angle) {
    const bool negative = !field.empty() && field.front() == '-';
    const std::string_view number = field.substr(negative ? 1 : 0);
    if (!IsPlainDecimal(number)) {
        return false;
    }
    angle.parts = {number, {}, {}};
    angle.negative = negative;
    return true;
}

} // namespace

std::string ReadAngleText(std::string_view field, AngleText& angle) {
    if (ReadPlainDegrees(field, angle)) {
        return {};
    }
    return AngleParser(field).Read(angle);
}

} // namespace korvane
