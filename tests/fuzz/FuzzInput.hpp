#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::fuzz {

// A fuzz input is a run of fields separated by the unit separator 0x1F, so that the fields
// themselves may hold any other byte, line feeds included. Missing fields are empty.
class Fields {
  public:
    Fields(const std::uint8_t* data, std::size_t size) {
        const std::string_view all(reinterpret_cast<const char*>(data), size);
        std::size_t start = 0;
        for (std::size_t i = 0; i <= all.size(); ++i) {
            if (i == all.size() || all[i] == '\x1f') {
                fields_.push_back(all.substr(start, i - start));
                start = i + 1;
            }
        }
    }

    std::string Text(std::size_t i) const {
        return i < fields_.size() ? std::string(fields_[i]) : std::string();
    }

    // A list position read from a field's digits; any 32-bit value, -1 included.
    int Position(std::size_t i) const {
        return static_cast<int>(std::strtol(Text(i).c_str(), nullptr, 10));
    }

  private:
    std::vector<std::string_view> fields_;
};

// Stops the run with a message: a property that must always hold did not.
[[noreturn]] inline void Broken(const std::string& what) {
    std::fprintf(stderr, "broken: %s\n", what.c_str());
    std::abort();
}

inline bool HasNanOrInf(const std::string& text) {
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

} // namespace korvane::fuzz
