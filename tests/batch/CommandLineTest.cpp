#include "batch/CommandLine.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <tuple>
#include <vector>

namespace korvane {
namespace {

CommandLineReading Read(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "korvane-batch");
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return ReadCommandLine(static_cast<int>(arguments.size()), argv.data());
}

using Arguments = std::vector<std::string>;
using Inputs = std::vector<std::string>;

struct Accepted {
    Arguments arguments;
    BatchDirection direction;
    int datumPosition;
    std::vector<std::size_t> positionFields;
    Inputs inputs;
};

TEST(CommandLine, ReadsOptionsAnywhereInBothSpellings) {
    const auto U = BatchDirection::ToUtm;
    const auto L = BatchDirection::ToLatLong;
    // clang-format off
    const Accepted cases[] = {
        {{"to-utm"},                                       U, 0,  {},        {"-"}},
        {{"to-latlong", "a", "-", "b"},                    L, 0,  {},        {"a", "-", "b"}},
        {{"to-utm", "--datum", "Clarke 1866", "a"},        U, 10, {},        {"a"}},
        {{"to-utm", "--datum=Clarke 1866"},                U, 10, {},        {"-"}},
        {{"--ellipsoid", "Everest 1830", "to-utm"},        U, 13, {},        {"-"}},
        {{"to-utm", "a", "--ellip=GRS 80"},                U, 2,  {},        {"a"}}, // abbreviated
        {{"to-utm", "--fields", "3,4", "a"},               U, 0,  {2, 3},    {"a"}},
        {{"to-utm", "--fields=4,3"},                       U, 0,  {3, 2},    {"-"}},
        {{"to-utm", "--fields=2-9"},                       U, 0,  {1, 2, 3, 4, 5, 6, 7, 8}, {"-"}},
        {{"to-latlong", "--fields=1,3-5"},                 L, 0,  {0, 2, 3, 4}, {"-"}},
        {{"to-utm", "--", "--datum"},                      U, 0,  {},        {"--datum"}},
        {{"to-utm", "--datum=WGS84"},                      U, 0,  {},        {"-"}}, // as people type them
        {{"to-utm", "--datum=wgs 84"},                     U, 0,  {},        {"-"}},
        {{"to-utm", "--datum=clarke 1866"},                U, 10, {},        {"-"}},
        {{"to-utm", "--datum=NORTH-AMERICAN-1927"},        U, 6,  {},        {"-"}},
        {{"to-utm", "--datum= Everest1830 "},              U, 13, {},        {"-"}},
        {{"to-latlong", "--fields=1-3"},                   L, 0,  {0, 1, 2}, {"-"}}, // the usual notation
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front() + " " + std::to_string(c.arguments.size()));
        const auto reading = Read(c.arguments);
        ASSERT_EQ(reading.failure, "");
        const auto& commandLine = reading.commandLine;
        EXPECT_EQ(commandLine.action, CommandLine::Action::Convert);
        EXPECT_EQ(commandLine.settings.direction, c.direction);
        EXPECT_EQ(commandLine.settings.datumPosition, c.datumPosition);
        EXPECT_EQ(commandLine.settings.positionFields, c.positionFields);
        EXPECT_EQ(commandLine.inputs, c.inputs);
    }
    EXPECT_TRUE(Read({"to-utm", "--compact-reference"}).commandLine.settings.compactReference);
    EXPECT_TRUE(Read({"to-utm", "--csv"}).commandLine.settings.csv);
    EXPECT_EQ(Read({"to-latlong", "--output=degrees"}).commandLine.settings.latLongOutput,
              LatLongOutput::Degrees);
    EXPECT_EQ(Read({"to-latlong", "--output", "full"}).commandLine.settings.latLongOutput,
              LatLongOutput::Full);
    EXPECT_EQ(Read({"to-utm", "x", "--help"}).commandLine.action, CommandLine::Action::Help);
    EXPECT_EQ(Read({"-h"}).commandLine.action, CommandLine::Action::Help);
    EXPECT_EQ(Read({"--version"}).commandLine.action, CommandLine::Action::Version);
}

// The standard grid's choices, and the defaults they leave.
TEST(CommandLine, ReadsTheStandardGridsChoices) {
    const auto settings = [](Arguments arguments) {
        const auto reading = Read(std::move(arguments));
        EXPECT_EQ(reading.failure, "");
        return reading.commandLine.settings;
    };
    const BatchSettings windows = settings({"to-latlong"});
    EXPECT_EQ(windows.grid, GridMode::Windows);
    EXPECT_EQ(windows.latLongOutput, LatLongOutput::Full);
    const BatchSettings standard = settings({"to-latlong", "--grid=standard"});
    EXPECT_EQ(standard.grid, GridMode::Standard);
    EXPECT_EQ(standard.latLongOutput, LatLongOutput::Dms);
    EXPECT_EQ(standard.decimals, 4);
    EXPECT_EQ(standard.mgrsPrecision, 5);
    EXPECT_FALSE(standard.zone.has_value());
    EXPECT_EQ(settings({"to-latlong", "--grid=standard", "--output=degrees"}).decimals, 9);
    EXPECT_EQ(
        settings({"to-latlong", "--grid=standard", "--output=degrees", "--decimals=3"}).decimals,
        3);
    EXPECT_EQ(settings({"to-utm", "--grid=standard", "--mgrs-precision=0"}).mgrsPrecision, 0);
    // clang-format off
    const std::tuple<const char*, int, std::optional<Hemisphere>> zones[] = {
        {"31",  31, std::nullopt},
        {"31N", 31, Hemisphere::North},
        {"1s",  1,  Hemisphere::South},
        {"UPS", 0,  std::nullopt},
        {"0",   0,  std::nullopt},
    };
    // clang-format on
    for (const auto& [zone, number, hemisphere] : zones) {
        const BatchSettings forced =
            settings({"to-utm", "--grid=standard", std::string("--zone=") + zone});
        EXPECT_EQ(forced.zone, number) << zone;
        EXPECT_EQ(forced.hemisphere, hemisphere) << zone;
    }
}

// A datum shift names the positions' datum and the grid's; without one, --datum is the windows'
// ellipsoid as ever.
TEST(CommandLine, ReadsTheDatumsOfAShift) {
    const auto toUtm = Read({"to-utm", "--from", "EPSG:4326", "--datum=ED50", "--outside-area"});
    ASSERT_EQ(toUtm.failure, "");
    EXPECT_EQ(toUtm.commandLine.settings.positionDatum, "EPSG:4326");
    EXPECT_EQ(toUtm.commandLine.settings.gridDatum, "ED50");
    EXPECT_TRUE(toUtm.commandLine.settings.shiftAnyway);
    const auto toLatLong = Read({"to-latlong", "--datum=Arc 1960", "--to=WGS 84", "--quiet"});
    ASSERT_EQ(toLatLong.failure, "");
    EXPECT_EQ(toLatLong.commandLine.settings.positionDatum, "WGS 84");
    EXPECT_EQ(toLatLong.commandLine.settings.gridDatum, "Arc 1960");
    EXPECT_TRUE(toLatLong.commandLine.settings.quiet);
    const auto listed = Read({"to-utm", "--datum=Clarke 1866"});
    EXPECT_EQ(listed.commandLine.settings.positionDatum, "");
    EXPECT_EQ(listed.commandLine.settings.datumPosition, 10);
}

TEST(CommandLine, NamesWhatIsWrong) {
    // clang-format off
    const std::pair<Arguments, const char*> cases[] = {
        {{},                                    "say to-utm or to-latlong"},
        {{"sideways"},                          "unknown direction 'sideways'"},
        {{"to-utm", "--frobnicate"},            "unknown option '--frobnicate'"},
        {{"to-utm", "--frobnicate=1"},          "unknown option '--frobnicate'"},
        {{"to-utm", "-x"},                      "unknown option '-x'"},
        {{"to-utm", "--datum"},                 "option '--datum' needs a value"},
        {{"to-utm", "--datum", "WGS 48"},       "unknown ellipsoid 'WGS 48'; did you mean 'WGS 84'? The ellipsoids are:\n    WGS 84"},
        {{"to-utm", "--datum", "Clark 1880"},   "unknown ellipsoid 'Clark 1880'; did you mean 'Clarke 1880'?"},
        {{"to-utm", "--datum", "Bessel"},       "unknown ellipsoid 'Bessel'; did you mean 'Bessel 1841'?"},
        {{"to-utm", "--output=degrees"},        "--output takes full for to-utm, not 'degrees'"},
        {{"to-latlong", "--output=dms"},        "--output takes full or degrees for to-latlong, not 'dms'"},
        {{"to-latlong", "--grid=standard", "--output=full"}, "--output takes dms or degrees for to-latlong on the standard grid, not 'full'"},
        {{"to-utm", "--grid=exact"},            "--grid takes windows or standard, not 'exact'"},
        {{"to-utm", "--from=WGS84"},            "--from needs --datum, the grid's datum"},
        {{"to-utm", "--to=WGS84", "--datum=ED50"},       "--to is for to-latlong"},
        {{"to-latlong", "--from=WGS84", "--datum=ED50"}, "--from is for to-utm"},
        {{"to-utm", "--from=WGS84", "--ellipsoid=ED50"}, "--ellipsoid chooses an ellipsoid without a datum shift"},
        {{"to-utm", "--outside-area"},          "--outside-area is for a datum shift"},
        {{"to-utm", "--datum=ED50"},            "unknown ellipsoid 'ED50'"},
        {{"to-utm", "--datum=WGS 84", "--ellipsoid=GRS 80"}, "--datum and --ellipsoid name the same choice"},
        {{"to-utm", "--zone=31"},               "--zone is a choice of the standard grid: add --grid=standard"},
        {{"to-utm", "--decimals=2"},            "--decimals is a choice of the standard grid"},
        {{"to-utm", "--grid=standard", "--zone=61"},  "--zone takes a zone from 1 to 60, with N or S"},
        {{"to-utm", "--grid=standard", "--zone=0N"},  "--zone takes a zone from 1 to 60"},
        {{"to-utm", "--grid=standard", "--zone=UPSN"}, "--zone takes a zone from 1 to 60"},
        {{"to-utm", "--grid=standard", "--mgrs-precision=6"}, "--mgrs-precision takes 0 (100 km) to 5 (1 m) digit pairs, not '6'"},
        {{"to-latlong", "--grid=standard", "--decimals=10"}, "--decimals takes 0 to 9, not '10'"},
        {{"to-utm", "--grid=standard", "--decimals=3"}, "--decimals sets to-latlong's angles: to-utm writes millimetres"},
        {{"to-latlong", "--grid=standard", "--mgrs-precision=3"}, "--mgrs-precision sets to-utm's references: to-latlong reads any precision"},
        {{"to-utm", "--compact-reference=yes"}, "option '--compact-reference' takes no value"},
        {{"to-utm", "--fields=3"},              "--fields names 1 fields; to-utm takes 2"},
        {{"to-latlong", "--fields=1,2"},        "--fields names 2 fields; to-latlong takes 4"},
        {{"to-utm", "--fields=0,1"},            "--fields takes field numbers from 1"},
        {{"to-utm", "--fields=3,x"},            "--fields takes field numbers from 1"},
        {{"to-utm", "--fields=5-3"},            "--fields takes field numbers from 1"},
        {{"to-utm", "--fields=3,"},             "--fields takes field numbers from 1"},
        {{"to-utm", "--fields="},               "--fields takes field numbers from 1"},
    };
    // clang-format on
    for (const auto& [arguments, failure] : cases) {
        const auto reading = Read(arguments);
        EXPECT_EQ(reading.failure.substr(0, std::string_view(failure).size()), failure)
            << (arguments.empty() ? "" : arguments.back());
    }
}

} // namespace
} // namespace korvane
