#include "batch/CommandLine.hpp"

#include "base/UsableCores.hpp"
#include "commands/DegreesText.hpp"
#include "commands/EllipsoidName.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/MgrsReference.hpp"

#include <algorithm>
#include <charconv>
#include <getopt.h>
#include <optional>

namespace korvane {

namespace {

constexpr std::string_view kSynopsis = R"(Usage: korvane-batch to-utm [OPTION]... [FILE]...
       korvane-batch to-latlong [OPTION]... [FILE]...
)";

constexpr std::string_view kUsage = R"(
Converts one point a line, with exactly the results of Korvane's windows. Reads the FILEs in
turn ("-" is standard input), or standard input when there is none, and writes one line to
standard output for every input line, in input order. Fields are separated by tabs where a
line holds one, otherwise by commas, otherwise by runs of blanks (as GeoConvert's and proj's
files are). A field in double quotes is read as in CSV (it cannot hold a line end). When the
input is a pipe or a terminal, each line is answered as soon as it is complete.

to-utm takes a latitude and a longitude, one field each, as
    signed decimal degrees          -33.86,151.21   -33.86 151.21   1e-05,3
    decimal degrees and a letter    33.86S,151.21E   S33.86,E151.21   (either case)
    degrees, minutes and seconds    15°52'31.11"N,44°5'16.11"E   15d52m31.11s N
    the same with colons            15:52:31.11N,44:5:16.11E
The marks may also be º ˚ for degrees, ′ ’ for minutes and ″ ” '' for seconds; only the last
part has decimals, minutes and seconds stay below 60, the longitude may come first when both
fields carry hemisphere letters, and a sign and a letter never come together. to-utm also takes
the Lat/Long window's eight inputs, each a number read as the window reads its boxes (10,90,0
is 11.5 degrees)
    latitude degrees, minutes, seconds, N or S, longitude degrees, minutes, seconds, E or W
A line separated by blanks is read in these two forms only, which have one reading each
("33 52 S 151 12 E" has more than one, and gives Error). to-utm writes
    zone, band, central_meridian, northing, easting, grid_reference
with the northing and the easting to two decimals.

to-latlong takes the UTM window's four inputs, or the usual notation (the zone with N or S for
the hemisphere, as GeoConvert reads it, or with its band letter, which must hold the position)
    northing, easting, zone, N or S          1755352.105,402336.0,38,N
    zone and letter, easting, northing       38N 402339.35 1755355.43   56H,334416.39,6251925.36
or a line as to-utm writes it (the band letter tells the hemisphere; the central meridian and
the grid reference must be the line's own), or a military grid reference as the windows write
it (38 P   MC  02339  55355) or compact (38PMC0233955355), read as the centre of the square it
names. The form is told by the first field (a number, a zone and letter, a zone), never by
the sizes of the numbers. to-latlong writes
    latitude_degrees, latitude_minutes, latitude_seconds, latitude_hemisphere,
    longitude_degrees, longitude_minutes, longitude_seconds, longitude_hemisphere,
    grid_reference, latitude, longitude
the UTM window's boxes and grid reference, then the latitude and the longitude in signed
decimal degrees with nine decimals (with --output=degrees, those two alone). Unlike the UTM
window, it answers only positions of the grid: zones 1 to 60 (and 61, to-utm's zone for 180
degrees east itself), eastings from 100000 up to 900000, the 100 km squares that have letters
in a zone, and northings from 0 to 10000000, the equator to the pole, that do not pass the
pole; anything else is an Error.

With --grid=standard both directions work on the standard grid instead, for real maps: exact
transverse Mercator (Krueger's series: nanometres across the zones, under 0.1 mm up to 60
degrees of arc from the central meridian), UPS from 84 N and below 80 S, the standard zones
with the exceptions over Norway and Svalbard (or the zone --zone asks for), and standard MGRS.
Each ellipsoid is taken as EPSG defines it (NAD 83 is GRS 80), not with the windows' rounded
radii. to-utm reads the same positions and writes
    zone, hemisphere, easting, northing, mgrs
the zone 0 for UPS, easting and northing to the millimetre, and the MGRS reference at
--mgrs-precision, its digits truncated from the exact easting and northing taken to the
micrometre (38PMC0233955355). to-latlong reads such lines (the MGRS must be the position's own)
or their first four fields, the UTM window's four fields (zone 0 for UPS), the usual notation
(38N 402339.351 1755355.430, 38P ..., N ... for UPS) and MGRS references at any precision (the
centre of the square), checking a band letter against the position; and writes
    latitude, longitude
in degrees, minutes and seconds (15°52'31.1100"N, seconds never 60) or, with --output=degrees,
in signed decimal degrees, to --decimals places.

Every field is read whole: a field that is empty, or not wholly a number in one of these forms,
is never taken for 0. A line that cannot be converted gives "Error", a tab and the reason, and a
message on standard error naming its line number, and the run goes on. A last line without a
line end may have been cut short: it gives Error too. Blank lines and lines that start with "#"
are copied; a first line with names and without a digit is a header, answered with the names
of the output's columns; a byte order mark at the start of an input is passed over.

Options:
  --ellipsoid=NAME, --datum=NAME
                the ellipsoid, by its name in the windows' datum list (default "WGS 84";
                case, blanks and punctuation aside: WGS84, clarke 1866); it chooses the
                ellipsoid only and applies no datum shift
  --from=DATUM  to-utm: the datum the positions were measured on, by EPSG code (EPSG:4326)
                or by a name PROJ knows (WGS 84); --datum then names the grid's datum the
                same way (ED50, EPSG:4230), and each position is shifted to it through PROJ,
                with the transformation PROJ's database chooses there (as cs2cs does), then
                projected on that datum's own ellipsoid with its exact axes. The datums, the
                ellipsoid and, at the end, the transformations used with their stated
                accuracy are named on standard error. A position outside every
                transformation's area of use is an Error. projinfo --list-crs
                geographic_2d lists the names.
  --to=DATUM    to-latlong: the datum the positions are wanted on, the grid's being --datum
  --outside-area
                shift a position outside every transformation's area of use all the same, as
                PROJ and cs2cs do (perhaps by a ballpark transformation, off by hundreds of
                metres)
  --quiet       say nothing of the datums and transformations
                (The Windows build has no PROJ, and refuses --from and --to.)
  --fields=LIST the fields that hold the position, counted from 1, as 3,4 or 2-9; each output
                line is then the line's own fields followed by the result's (or by Error and
                the reason; a line whose fields cannot be written out gives Error alone)
  --compact-reference
                write military grid references without blanks: 38PMC0233955355
  --csv         write CSV for other programs: the same columns separated by commas, a field
                that holds a comma, a quote or blanks at its ends in double quotes (Error
                lines too: Error,"reason"); a header only where the input has one
  --output=FORM what to-latlong writes: full (the columns above, the default) or degrees
                (latitude, longitude in signed decimal degrees only); on the standard grid dms
                (the default) or degrees
  --grid=MODE   windows (the default: the windows' digits) or standard (the standard grid)
  --zone=ZONE   on the standard grid, to-utm puts every point in this zone, also beyond its
                edges, up to 60 degrees of arc from its central meridian: 1 to 60, with N or S
                for a hemisphere too (northings below the equator go negative), or UPS;
                to-latlong reads that zone's positions as far as to-utm writes them, and
                others in the standard ranges
  --mgrs-precision=P
                on the standard grid, to-utm's MGRS digit pairs from 0 (100 km) to 5 (1 m,
                the default)
  --decimals=D  on the standard grid, to-latlong's decimals of the seconds (default 4, 3 mm)
                or of decimal degrees (default 9)
  -j N, --jobs=N
                convert on N threads (default: one for each core; with those that can be
                started where the system refuses some, which is said once); the output is
                the same, line for line and in order, whatever N is
  -h, --help    this text
  --version     the version

Exit status:
  0  every point was converted
  1  some lines gave Error
  2  a wrong command line, or an input that could not be read or is the output file
     (the other inputs are converted)
  3  the output could not be written, or was cut short (no memory left)

Ellipsoids:)";

std::string DatumNames() {
    std::string names;
    for (const auto& datum : ListedDatums()) {
        names.append("\n    ").append(datum.listName);
    }
    return names;
}

// The standard grid's angles are written by default to about a millimetre on the ground, or
// better: seconds to four decimals (3 mm), decimal degrees to nine (0.1 mm).
constexpr int kSecondsDecimals = 4;
constexpr int kDegreesDecimals = 9;

// One thread for each core the process may run on.
int DefaultJobs() {
    return static_cast<int>(std::min<std::size_t>(UsableCores(), 256));
}

// A whole number from least to most, or nothing.
std::optional<int> NumberFrom(std::string_view text, int least, int most) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < least ||
        number > most) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::size_t> FieldNumber(std::string_view text) {
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number == 0 ||
        number > 100000) {
        return std::nullopt;
    }
    return number - 1;
}

// "3,4" or "2-9" or both mixed: the fields counted from 0, in the order given.
std::optional<std::vector<std::size_t>> FieldList(std::string_view list) {
    std::vector<std::size_t> fields;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view item = list.substr(start, comma - start);
        const std::size_t dash = item.find('-');
        const auto first = FieldNumber(item.substr(0, dash));
        const auto last =
            dash == std::string_view::npos ? first : FieldNumber(item.substr(dash + 1));
        if (!first || !last || *last < *first || fields.size() + (*last - *first) > 1000) {
            return std::nullopt;
        }
        for (std::size_t field = *first; field <= *last; ++field) {
            fields.push_back(field);
        }
        start = comma + 1;
    }
    return fields;
}

// The position's field counts each direction takes.
std::string FieldCountFailure(BatchDirection direction, std::size_t count) {
    const bool fits = direction == BatchDirection::ToUtm
                          ? count == 2 || count == 8
                          : count == 1 || count == 3 || count == 4 || count == 6;
    if (fits) {
        return {};
    }
    return "--fields names " + std::to_string(count) + " fields; " +
           (direction == BatchDirection::ToUtm
                ? "to-utm takes 2 (latitude, longitude) or 8 (the window's eight inputs)"
                : "to-latlong takes 4 (northing, easting, zone, N or S), 3 (zone and letter, "
                  "easting, northing), 6 (a line of to-utm's) or 1 (a grid reference)");
}

// What --output names. to-latlong writes, in the windows' mode, everything (full) or decimal
// degrees alone; on the standard grid degrees, minutes and seconds (dms) or decimal degrees.
// to-utm has one form in each mode.
std::string ReadOutputForm(std::string_view form, BatchSettings& settings) {
    const bool standard = settings.grid == GridMode::Standard;
    const std::string_view own = standard ? "dms" : "full";
    if (settings.direction == BatchDirection::ToLatLong && (form == own || form == "degrees")) {
        const bool degrees = form == "degrees";
        settings.latLongOutput = degrees    ? LatLongOutput::Degrees
                                 : standard ? LatLongOutput::Dms
                                            : LatLongOutput::Full;
        return {};
    }
    if (settings.direction == BatchDirection::ToUtm && form == own) {
        return {};
    }
    const bool toLatLong = settings.direction == BatchDirection::ToLatLong;
    return "--output takes " + std::string(own) + (toLatLong ? " or degrees" : "") + " for " +
           (toLatLong ? "to-latlong" : "to-utm") + (standard ? " on the standard grid" : "") +
           ", not '" + std::string(form) + "'";
}

// The ellipsoid of the windows' list (--ellipsoid, or --datum without a shift), or the datums of
// a shift (--from or --to with --datum), which PROJ resolves once the run starts.
std::string ReadDatums(const std::optional<std::string>& datum,
                       const std::optional<std::string>& ellipsoid,
                       const std::optional<std::string>& from, const std::optional<std::string>& to,
                       BatchSettings& settings) {
    const bool toUtm = settings.direction == BatchDirection::ToUtm;
    if ((from && !toUtm) || (to && toUtm)) {
        return toUtm ? "--to is for to-latlong: to-utm takes --from, the datum the positions "
                       "were measured on"
                     : "--from is for to-utm: to-latlong takes --to, the datum the positions "
                       "are wanted on";
    }
    const std::optional<std::string>& positions = toUtm ? from : to;
    if (positions) {
        if (ellipsoid) {
            return "--ellipsoid chooses an ellipsoid without a datum shift; with " +
                   std::string(toUtm ? "--from" : "--to") +
                   ", --datum names the grid's datum (an EPSG code or a name PROJ knows)";
        }
        if (!datum) {
            return std::string(toUtm ? "--from" : "--to") +
                   " needs --datum, the grid's datum (an EPSG code such as EPSG:4230, or a name "
                   "PROJ knows such as ED50)";
        }
        settings.positionDatum = *positions;
        settings.gridDatum = *datum;
        return {};
    }
    if (settings.shiftAnyway) {
        return "--outside-area is for a datum shift: add --from (to-utm) or --to (to-latlong)";
    }
    if (datum && ellipsoid) {
        return "--datum and --ellipsoid name the same choice: give one";
    }
    const std::string name = datum ? *datum : ellipsoid ? *ellipsoid : "WGS 84";
    const auto position = EllipsoidPositionOf(name);
    if (!position) {
        return "unknown ellipsoid '" + name + "'; did you mean '" +
               std::string(NearestEllipsoidName(name)) + "'? The ellipsoids are:" + DatumNames() +
               "\nTo shift a datum as well, name the positions' datum with --from (to-utm) or "
               "--to (to-latlong).";
    }
    settings.datumPosition = *position;
    return {};
}

// --zone: 1 to 60, with N or S to ask for the hemisphere too, or UPS (or 0).
std::string ReadZone(std::string_view text, BatchSettings& settings) {
    if (text == "UPS" || text == "ups") {
        settings.zone = 0; // the hemisphere is the latitude's
        return {};
    }
    std::string_view number = text;
    if (!text.empty() &&
        (text.back() == 'N' || text.back() == 'S' || text.back() == 'n' || text.back() == 's')) {
        settings.hemisphere =
            text.back() == 'S' || text.back() == 's' ? Hemisphere::South : Hemisphere::North;
        number.remove_suffix(1);
    }
    const auto zone = NumberFrom(number, settings.hemisphere ? 1 : 0, 60);
    if (!zone) {
        return "--zone takes a zone from 1 to 60, with N or S for a hemisphere too (31N), or "
               "UPS, not '" +
               std::string(text) + "'";
    }
    settings.zone = *zone;
    return {};
}

// --grid and the choices that only the standard grid has.
std::string ReadGridChoices(const std::optional<std::string>& grid,
                            const std::optional<std::string>& zone,
                            const std::optional<std::string>& precision,
                            const std::optional<std::string>& decimals, BatchSettings& settings) {
    if (grid && *grid != "windows" && *grid != "standard") {
        return "--grid takes windows or standard, not '" + *grid + "'";
    }
    if (!grid || *grid == "windows") {
        for (const auto& [given, name] : {std::pair{zone, "--zone"},
                                          {precision, "--mgrs-precision"},
                                          {decimals, "--decimals"}}) {
            if (given) {
                return std::string(name) + " is a choice of the standard grid: add --grid=standard";
            }
        }
        return {};
    }
    // A choice the direction has no use for is refused rather than passed over.
    const bool toUtm = settings.direction == BatchDirection::ToUtm;
    if (toUtm && decimals) {
        return "--decimals sets to-latlong's angles: to-utm writes millimetres";
    }
    if (!toUtm && precision) {
        return "--mgrs-precision sets to-utm's references: to-latlong reads any precision";
    }
    settings.grid = GridMode::Standard;
    settings.latLongOutput = LatLongOutput::Dms;
    settings.decimals = -1; // until the form written is known
    if (zone) {
        if (std::string failure = ReadZone(*zone, settings); !failure.empty()) {
            return failure;
        }
    }
    if (precision) {
        const auto pairs = NumberFrom(*precision, 0, kMostMgrsPrecision);
        if (!pairs) {
            return "--mgrs-precision takes 0 (100 km) to 5 (1 m) digit pairs, not '" + *precision +
                   "'";
        }
        settings.mgrsPrecision = *pairs;
    }
    if (decimals) {
        const auto places = NumberFrom(*decimals, 0, kMostAngleDecimals);
        if (!places) {
            return "--decimals takes 0 to " + std::to_string(kMostAngleDecimals) + ", not '" +
                   *decimals + "'";
        }
        settings.decimals = *places;
    }
    return {};
}

} // namespace

std::string UsageText() {
    return std::string(kSynopsis) + std::string(kUsage) + DatumNames() + "\n";
}

std::string_view UsageSynopsis() {
    return kSynopsis;
}

CommandLineReading ReadCommandLine(int argc, char** argv) {
    static const option kOptions[] = {
        {"datum", required_argument, nullptr, 'd'},
        {"ellipsoid", required_argument, nullptr, 'e'},
        {"from", required_argument, nullptr, 'F'},
        {"to", required_argument, nullptr, 'T'},
        {"outside-area", no_argument, nullptr, 'O'},
        {"quiet", no_argument, nullptr, 'q'},
        {"fields", required_argument, nullptr, 'f'},
        {"compact-reference", no_argument, nullptr, 'c'},
        {"csv", no_argument, nullptr, 'C'},
        {"output", required_argument, nullptr, 'o'},
        {"grid", required_argument, nullptr, 'g'},
        {"zone", required_argument, nullptr, 'z'},
        {"mgrs-precision", required_argument, nullptr, 'p'},
        {"decimals", required_argument, nullptr, 'D'},
        {"jobs", required_argument, nullptr, 'j'},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, 'V'},
        {nullptr, 0, nullptr, 0},
    };
    CommandLineReading reading;
    CommandLine& commandLine = reading.commandLine;
    std::optional<std::string> datum;
    std::optional<std::string> ellipsoid;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> fields;
    std::optional<std::string> output;
    std::optional<std::string> grid;
    std::optional<std::string> zone;
    std::optional<std::string> precision;
    std::optional<std::string> decimals;
    commandLine.jobs = DefaultJobs();
    std::vector<std::string> operands;
    opterr = 0; // the failures are reported as the program's own
    optind = 0; // from the start, however often the arguments are read
    // "-": operands come back in place as option 1, whatever POSIXLY_CORRECT says; ":": a
    // missing value is told from an unknown option.
    for (int option = 0; (option = getopt_long(argc, argv, "-:hj:", kOptions, nullptr)) != -1;) {
        const std::string given = argv[optind - 1];
        switch (option) {
        case 1:
            operands.emplace_back(optarg);
            break;
        case 'd':
            datum = optarg;
            break;
        case 'e':
            ellipsoid = optarg;
            break;
        case 'F':
            from = optarg;
            break;
        case 'T':
            to = optarg;
            break;
        case 'O':
            commandLine.settings.shiftAnyway = true;
            break;
        case 'q':
            commandLine.settings.quiet = true;
            break;
        case 'f':
            fields = optarg;
            break;
        case 'c':
            commandLine.settings.compactReference = true;
            break;
        case 'C':
            commandLine.settings.csv = true;
            break;
        case 'o':
            output = optarg;
            break;
        case 'g':
            grid = optarg;
            break;
        case 'z':
            zone = optarg;
            break;
        case 'p':
            precision = optarg;
            break;
        case 'D':
            decimals = optarg;
            break;
        case 'j':
            if (const auto jobs = NumberFrom(optarg, 1, 256)) {
                commandLine.jobs = *jobs;
                break;
            }
            reading.failure =
                "--jobs takes a number of threads from 1 to 256, not '" + std::string(optarg) + "'";
            return reading;
        case 'h':
            commandLine.action = CommandLine::Action::Help;
            return reading;
        case 'V':
            commandLine.action = CommandLine::Action::Version;
            return reading;
        case ':':
            // Some getopt_longs say so also of a value given to an option that takes none.
            reading.failure =
                "option '" + given.substr(0, given.find('=')) +
                (given.find('=') != std::string::npos ? "' takes no value" : "' needs a value");
            return reading;
        default:
            if (!given.starts_with("--")) {
                reading.failure =
                    std::string("unknown option '-") + static_cast<char>(optopt) + "'";
            } else if (optopt != 0) { // a known long option given a value it does not take
                reading.failure =
                    "option '" + given.substr(0, given.find('=')) + "' takes no value";
            } else {
                reading.failure = "unknown option '" + given.substr(0, given.find('=')) + "'";
            }
            return reading;
        }
    }
    operands.insert(operands.end(), argv + optind, argv + argc); // those after "--"

    if (operands.empty()) {
        reading.failure = "say to-utm or to-latlong";
        return reading;
    }
    if (operands[0] == "to-utm") {
        commandLine.settings.direction = BatchDirection::ToUtm;
    } else if (operands[0] == "to-latlong") {
        commandLine.settings.direction = BatchDirection::ToLatLong;
    } else {
        reading.failure = "unknown direction '" + operands[0] + "': say to-utm or to-latlong";
        return reading;
    }
    commandLine.inputs.assign(operands.begin() + 1, operands.end());
    if (commandLine.inputs.empty()) {
        commandLine.inputs.emplace_back("-");
    }
    reading.failure = ReadDatums(datum, ellipsoid, from, to, commandLine.settings);
    if (!reading.failure.empty()) {
        return reading;
    }
    reading.failure = ReadGridChoices(grid, zone, precision, decimals, commandLine.settings);
    if (!reading.failure.empty()) {
        return reading;
    }
    if (output) {
        reading.failure = ReadOutputForm(*output, commandLine.settings);
        if (!reading.failure.empty()) {
            return reading;
        }
    }
    if (commandLine.settings.decimals < 0) {
        commandLine.settings.decimals = commandLine.settings.latLongOutput == LatLongOutput::Degrees
                                            ? kDegreesDecimals
                                            : kSecondsDecimals;
    }
    if (fields) {
        const auto list = FieldList(*fields);
        if (!list) {
            reading.failure =
                "--fields takes field numbers from 1, as 3,4 or 2-9, not '" + *fields + "'";
            return reading;
        }
        reading.failure = FieldCountFailure(commandLine.settings.direction, list->size());
        commandLine.settings.positionFields = *list;
    }
    return reading;
}

} // namespace korvane
