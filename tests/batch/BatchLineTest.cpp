#include "batch/BatchLine.hpp"

#include "batch/UtmFields.hpp"
#include "commands/GridRange.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseProjection.hpp"
#include "support/TurningPointSearch.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iomanip>
#include <string>
#include <vector>

namespace korvane {
namespace {

struct LineCase {
    const char* line;
    const char* answer; // the whole answer line; a failure's reason only needs to start so
};

std::string Answer(const BatchSettings& settings, std::string_view line, std::string* failure) {
    BatchLine batchLine(settings);
    std::string output = "kept ";
    *failure = batchLine.Convert(line, output);
    EXPECT_EQ(output.substr(0, 5), "kept "); // what the output held stays
    return output.substr(5);
}

void ExpectAnswers(const BatchSettings& settings, std::span<const LineCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string failure;
        const std::string answer = Answer(settings, c.line, &failure);
        const std::string_view expected = c.answer;
        if (expected.find("Error\t") != std::string_view::npos) {
            EXPECT_EQ(answer.substr(0, expected.size()), expected);
            EXPECT_FALSE(failure.empty());
            EXPECT_EQ(answer.substr(answer.size() - failure.size()), failure);
        } else {
            EXPECT_EQ(answer, expected);
            EXPECT_EQ(failure, "");
        }
    }
}

BatchSettings Direction(BatchDirection direction) {
    BatchSettings settings;
    settings.direction = direction;
    return settings;
}

constexpr const char* kSydney = "56\tH\t153\t6251925.36\t334416.39\t56 H   LH  34416  51925";
constexpr const char* kDefault = "38\tP\t45\t1755355.43\t402339.35\t38 P   MC  02339  55355";
// The answers back: the window's inputs, and a grid reference read as its square's centre.
constexpr const char* kDefaultBack =
    "15\t52\t31\tN\t44\t5\t16\tE\t38 P   MC  02336  55352\t15.875278150\t44.087777175";
constexpr const char* kReference =
    "15\t52\t31.11\tN\t44\t5\t16.12\tE\t38 P   MC  02339  55355\t15.875308976\t44.087809725";

// Every form of a latitude and a longitude gives the windows' digits for the same angles.
TEST(BatchLine, ToUtmReadsEveryFormToTheWindowsDigits) {
    // clang-format off
    const LineCase cases[] = {
        {"-33.86,151.21",                            kSydney},
        {"33.86S,151.21E",                           kSydney},
        {"33.86s,151.21e",                           kSydney},
        {"S33.86,E151.21",                           kSydney},
        {"151.21E,33.86S",                           kSydney}, // the longitude first
        {"\"-33.86\",\"151.21\"",                    kSydney},
        {" -33.86 \t 151.21 ",                       kSydney},
        {"33°51'36\"S,151°12'36\"E",                 kSydney},
        {"15°52'31.11\"N,44°5'16.11\"E",             kDefault},
        {"15d52m31.11s N,44d5m16.11s E",             kDefault},
        {"15:52:31.11N,44:5:16.11E",                 kDefault},
        {"15,52,31.11,N,44,5,16.11,E",               kDefault}, // the window's eight inputs
        {"15\t52\t31.11\tn\t44\t5\t16.11\te",        kDefault},
        {"15.875308333333333,44.087808333333333",    "38\tP\t45\t1755355.43\t402339.35\t38 P   MC  02339  55355"},
        {"45,3",                                     "31\tT\t3\t4982950.40\t500000.00\t31 T   EK  00000  82950"},
        {"-0,0",                                     "31\tN\t3\t10000000.00\t166021.55\t31 N   AA  66021  00000"},
        {"0,-180",                                   "1\tN\t-177\t0.00\t166021.55\t1 N   AA  66021  00000"},
        {"0,0,0,N,0,0,0,E",                          "31\tN\t3\t0.00\t166021.55\t31 N   AA  66021  00000"},
        {"10,90,0,N,3,0,0,E",                        "31\tP\t3\t1271265.59\t500000.00\t31 P   EN  00000  71265"}, // 10° 90′ is 11.5°
        {"11.5,3",                                   "31\tP\t3\t1271265.59\t500000.00\t31 P   EN  00000  71265"},
    };
    // clang-format on
    ExpectAnswers(Direction(BatchDirection::ToUtm), cases);
}

// No field is ever read as 0 or as a guess.
TEST(BatchLine, ToUtmRejectsWhatItCannotReadWhole) {
    // clang-format off
    const LineCase cases[] = {
        {"1O.5,3",                      "Error\tlatitude \"1O.5\" is not a number: \"O\" cannot follow \"1\""},
        {",",                           "Error\tlatitude is empty"},
        {"45,",                         "Error\tlongitude is empty"},
        {"lat,lon",                     "Error\tlatitude \"lat\" is not a number"},
        {"-33S,151",                    "Error\tlatitude \"-33S\" has both a sign and a hemisphere letter"},
        {"151.21E,-33.86",              "Error\tlatitude \"151.21E\" carries a longitude's hemisphere letter; the longitude may come first only when both fields carry one"},
        {"33.86N,151.21N",              "Error\tlongitude \"151.21N\" carries a latitude's hemisphere letter"},
        {"151E,33E",                    "Error\tlatitude \"151E\" carries a longitude's hemisphere letter"},
        {"33.86,151.21N",               "Error\tlongitude \"151.21N\" carries a latitude's hemisphere letter; the longitude may come first only when both fields carry one"},
        {"--45,3",                      "Error\tlatitude \"--45\" is not a number"},
        {"91,3",                        "Error\tlatitude 91 is outside 0 to 90 degrees"},
        {"45,-181",                     "Error\tlongitude 181 is outside 0 to 180 degrees"},
        {"45,3,",                       "Error\texpected 2 fields (latitude, longitude) or 8"},
        {"45;3",                        "Error\texpected 2 fields (latitude, longitude) or 8 (degrees, minutes, seconds and N or S, twice), found 1"},
        {"\"45,3",                      "Error\tfield 1 opens a quote that the line does not close"},
        {"\"abc\",3",                   "Error\tlatitude \"abc\" is not a number"},
        {",,,N,,,,E",                   "Error\tlatitude degrees is empty"},
        {"15,52,3x,N,44,5,16.11,E",     "Error\tlatitude seconds \"3x\" is not a number"},
        {"15,52,1D2,N,44,5,16.11,E",    "Error\tlatitude seconds \"1D2\" is not a number"},
        {"15,52,31.11,Q,44,5,16.11,E",  "Error\tthe latitude hemisphere must be N or S"},
        {"15,52,31.11,N,44,5,16.11,",   "Error\tthe longitude hemisphere must be E or W"},
        {"15,52,9e999,N,44,5,16.11,E",  "Error\tlatitude seconds is too large to read"},
        {"\"a\tb\",3",                  "Error\tlatitude \"a\\tb\" is not a number"}, // no tab in a reason
    };
    // clang-format on
    ExpectAnswers(Direction(BatchDirection::ToUtm), cases);
}

TEST(BatchLine, ToLatLongReadsTheWindowsInputsToUtmLinesAndGridReferences) {
    constexpr const char* kSouth =
        "15\t52\t31.11\tS\t44\t5\t16.11\tW\t23 L   NC  97660  44644\t-15.875308338\t-44.087808327";
    // clang-format off
    const LineCase cases[] = {
        {"1755352.105,402336.0,38,N",                                    kDefaultBack},
        {"1755352.105\t402336.0\t38.0\tn",                               kDefaultBack},
        {"+1755352.105,4.02336E5,+38,N",                                 kDefaultBack}, // not plain
        {"1755352.105,402336.,38,N",                                     kDefaultBack},
        {"8244644.57,597660.65,23,S",                                    kSouth},
        {"23\tL\t-45\t8244644.57\t597660.65\t23 L   NC  97660  44644",   kSouth}, // to-UTM's line
        {"23\tl\t-45\t8244644.57\t597660.65\t23LNC9766044644",        kSouth}, // compact, any case
        {"31\tN\t3\t10000000.00\t166021.55\t31 N   AA  66021  00000",   "0\t0\t0\tS\t0\t0\t0\tE\t31 N   AA  66021  00000\t0.000000000\t0.000000959"}, // 0° S
        {"38 P   MC  02339  55355",                                      kReference}, // the square's centre
        {"38PMC0233955355",                                              kReference},
        {" 38p mc 02339 55355 ",                                         kReference},
        {"38PMC0255",                                                    "15\t52\t35.84\tN\t44\t5\t21.49\tE\t38 P   MC  02500  55500\t15.876621479\t44.089302858"},
    };
    // clang-format on
    ExpectAnswers(Direction(BatchDirection::ToLatLong), cases);
}

TEST(BatchLine, ToLatLongRejectsWhatItCannotReadWhole) {
    // clang-format off
    const LineCase cases[] = {
        {"1755352.105,402336.0,38,X",                            "Error\tthe hemisphere must be N or S"},
        {"1755352.105,402336.0,38",                              "Error\texpected 4 fields (northing, easting, zone, N or S), 3 (zone and letter, easting, northing), 6"},
        {"1755352.105,402336.0,38.5,N",                          "Error\tzone \"38.5\" is not a whole number"},
        {"1755352.105,,38,N",                                    "Error\teasting is empty"},
        {"1 755 352,402336.0,38,N",                              "Error\tnorthing \"1 755 352\" is not a number"},
        {"1755352.105,402336.0,5462,N",                          "Error\tzone \"5462\" is outside 1 to 60 (61 for 180 degrees east)"},
        {"1e999,402336.0,38,N",                                  "Error\toverflow"},
        {"1e999,402336.0,38,X",                                  "Error\tthe hemisphere must be N or S"},
        {"-,402336.0,38,N",                                      "Error\tnorthing \"-\" is not a number"},
        {"1755352.105,.,38,N",                                   "Error\teasting \".\" is not a number"},
        {"38\tI\t45\t1755355.43\t402339.35\tx",                  "Error\tband \"I\" is not a band letter"},
        {"38\tP\t44\t1755355.43\t402339.35\tx",                  "Error\tcentral meridian \"44\" is not that of zone 38"},
        {"38\tP\t45\t1755355.43\t402339.35\tgarbage",             "Error\tgrid reference \"garbage\" is not that of the line's position"},
        {"38\tM\t45\t1755355.43\t402339.35\t38 M   MC  02339  55355", "Error\tband M does not hold the position's latitude -74.268519"},
        {"38\tQ\t45\t1755355.43\t402339.35\t38 Q   MC  02339  55355", "Error\tband Q does not hold the position's latitude 15.875308"},
        {"38 P   MC  0233  55355",                               "Error\tthe grid reference"},
        {"Error\texpected 2 fields (latitude, longitude), found 1", "Error\texpected 2 fields (latitude, longitude), found 1"}, // piped on
    };
    // clang-format on
    ExpectAnswers(Direction(BatchDirection::ToLatLong), cases);
}

// The forms people bring from GeoConvert and proj: fields separated by blanks, and the usual UTM
// notation, zone and hemisphere or band first. Blanks stand inside angles and grid references
// too, so a line of blanks is read only in the forms that have one reading.
TEST(BatchLine, ReadsBlankSeparatedLinesAndTheUsualNotation) {
    constexpr const char* kSydneyBack =
        "33\t51\t36\tS\t151\t12\t36\tE\t56 H   LH  34416  51925\t-33.860000002\t151.209999957";
    // clang-format off
    const LineCase toUtm[] = {
        {"-33.86 151.21",                  kSydney},
        {"  -33.86   151.21  ",            kSydney},
        {"33.86S 151.21E",                 kSydney},
        {"33°51'36\"S 151°12'36\"E",       kSydney},
        {"33 51 36 S 151 12 36 E",         kSydney}, // the window's eight
        {"15:52:31.11N 44:5:16.11E",       kDefault},
        {"33 51 36 151 12 36",             "Error\t6 fields separated by blanks have more than one reading"},
        {"33.86 S 151.21 E",               "Error\t4 fields separated by blanks have more than one reading"},
        {"-33.86",                         "Error\texpected 2 fields (latitude, longitude) or 8"},
    };
    const LineCase toLatLong[] = {
        {"1755352.105 402336.0 38 N",      kDefaultBack},
        {"38N 402336.0 1755352.105",       kDefaultBack},
        {"38n,402336.0,1755352.105",       kDefaultBack},
        {"38P 402336.0 1755352.105",       kDefaultBack},  // a band, which holds the point
        {"56S,334416.39,6251925.36",       kSydneyBack},   // S: the hemisphere, not the band
        {"56H\t334416.39\t6251925.36",     kSydneyBack},
        {"38 P   MC  02339  55355",        kReference},
        {"38P MC 02339 55355",             kReference},
        {"38PMC 0233955355",               kReference},
        {"38Q 402336.0 1755352.105",       "Error\tband Q does not hold the position's latitude 15.875278"},
        {"38I 402336.0 1755352.105",       "Error\tzone and letter \"38I\" has neither a hemisphere (N, S) nor a band letter"},
        {"38NN 402336.0 1755352.105",      "Error\trow letter \" \" is not one of A to V"}, // a grid reference
        {"380N,402336.0,1755352.105",      "Error\texpected 4 fields (northing, easting, zone, N or S), 3 (zone and letter"},
        {"38N 1755352.105 402336.0",       "Error\teasting \"1755352.105\" is outside 100000 to 900000"}, // never guessed from sizes
        {"99N 402336.0 1755352.105",       "Error\tzone \"99N\" is outside 1 to 60"},
        {"1755352.105 402336.0 38",        "Error\texpected 4 fields (northing, easting, zone, N or S), 3"},
    };
    // clang-format on
    ExpectAnswers(Direction(BatchDirection::ToUtm), toUtm);
    ExpectAnswers(Direction(BatchDirection::ToLatLong), toLatLong);
}

// Only positions of the grid are answered: a grid reference never leaves the alphabet, a zone
// never leaves 1 to 61 and a latitude never passes the pole. The least and the most of each range
// are taken; to-utm's own answers at the equator, at 180 degrees and at the poles read back.
TEST(BatchLine, ToLatLongAnswersOnlyPositionsOfTheGrid) {
    // clang-format off
    const LineCase cases[] = {
        {"402339.35,1755355.43,38,N",        "Error\teasting \"1755355.43\" is outside 100000 to 900000, the 100 km squares a zone letters"}, // swapped
        {"1755355.43,402339.35,99,N",        "Error\tzone \"99\" is outside 1 to 60 (61 for 180 degrees east)"},
        {"1755355.43,402339.35,0,N",         "Error\tzone \"0\" is outside 1 to 60"},
        {"1755355.43,402339.35,-1,N",        "Error\tzone \"-1\" is outside 1 to 60"},
        {"1755355.43,99999.99,38,N",         "Error\teasting \"99999.99\" is outside 100000 to 900000, the 100 km squares a zone letters"},
        {"1755355.43,900000,38,N",           "Error\teasting \"900000\" is outside 100000 to 900000, the 100 km squares a zone letters"},
        {"-0.01,402339.35,38,N",             "Error\tnorthing \"-0.01\" is outside 0 to 10000000, the equator to the pole"},
        {"10000000.01,402339.35,38,S",       "Error\tnorthing \"10000000.01\" is outside 0 to 10000000, the equator to the pole"},
        {"9999000,500000,31,N",              "Error\tthe position lies beyond the pole: latitude 90.009271"},
        {"1000,500000,31,S",                 "Error\tthe position lies beyond the pole: latitude -90.009271"},
        {"38\tP\t45\t1755355.43\t1402339.35\tx", "Error\teasting \"1402339.35\" is outside 100000 to 900000, the 100 km squares a zone letters"},
        {"0,100000,31,N",                    "0\t0\t0\tN\t0\t35\t32.38\tW\t31 N   AA  00000  00000\t0.000000000\t-0.592327205"},
        {"10000000,899999.99,31,S",          "0\t0\t0\tS\t6\t35\t32.38\tE\t31 N   HA  99999  00000\t0.000000000\t6.592327116"},
        {"0,166021.55,61,N",                 "0\t0\t0\tN\t180\t0\t0\tE\t61 N   AA  66021  00000\t0.000000000\t180.000000959"},
        {"31\tM\t3\t10000000.00\t500000.00\t31 M   EA  00000  00000", "0\t0\t0\tS\t3\t0\t0\tE\t31 N   EA  00000  00000\t0.000000000\t3.000000000"}, // a hair south of the equator
        {"31 M   EA  00000  00000",          "-1\t0\t0.02\tS\t3\t0\t0.02\tE\t31 N   EA  00000  00000\t0.000004524\t3.000004493"},
        {"9997964.94,500000,31,N",           "89\t59\t60\tN\t3\t0\t0\tE\t31 Z   EV  00000  97964\t89.999999971\t3.000000000"},
    };
    // clang-format on
    ExpectAnswers(Direction(BatchDirection::ToLatLong), cases);
}

// A latitude that the series puts far beyond the pole is quoted whole, however many digits it has.
TEST(BatchLine, QuotesALatitudeFarBeyondThePoleWhole) {
    std::string failure;
    Answer(Direction(BatchDirection::ToLatLong), "9997965,100000,31,N", &failure);
    const std::string prefix = "the position lies beyond the pole: latitude ";
    ASSERT_EQ(failure.substr(0, prefix.size()), prefix);
    const std::string latitude = failure.substr(prefix.size());
    EXPECT_GT(latitude.size(), 32u);
    EXPECT_EQ(latitude.find_first_not_of("0123456789."), std::string::npos) << latitude;
    EXPECT_EQ(latitude.find('.'), latitude.size() - 7) << latitude;
}

// Attribute columns travel with the point, also when it fails.
TEST(BatchLine, PickedFieldsKeepTheLinesOwnFieldsInFront) {
    BatchSettings settings;
    // clang-format off
    const LineCase cases[] = {
        {"7,\"Smith, J\",-33.86,151.21",   "7\tSmith, J\t-33.86\t151.21\t56\tH\t153\t6251925.36\t334416.39\t56 H   LH  34416  51925"},
        {"8,x,bad,3",                      "8\tx\tbad\t3\tError\tlatitude \"bad\" is not a number"},
        {"9,x,3",                          "9\tx\t3\tError\tfield 4 is missing: the line has 3 fields"},
        {"\"a\tb\",10,1,2",                "Error\tfield 1 holds a tab"},
        {"Paris, FR\t2\t48.8566\t2.3522", "Paris, FR\t2\t48.8566\t2.3522\t31\tU\t3\t5411717.18\t452482.53\t31 U   DQ  52482  11717"}, // as written out
    };
    // clang-format on
    settings.positionFields = {2, 3};
    ExpectAnswers(settings, cases);

    BatchLine batchLine(settings);
    std::string header;
    batchLine.AnswerHeader("id,name,lat,lon", header);
    EXPECT_EQ(header, "id\tname\tlat\tlon\tzone\tband\tcentral_meridian\tnorthing\teasting\tgrid_"
                      "reference");
}

TEST(BatchLine, CompactReferencesOnRequest) {
    BatchSettings settings;
    settings.compactReference = true;
    const LineCase toUtm[] = {{"45,3", "31\tT\t3\t4982950.40\t500000.00\t31TEK0000082950"}};
    ExpectAnswers(settings, toUtm);
}

// The latitudes where the band letter, the band check of any letter or the pole check turns,
// found from those decisions themselves, are exactly the latitude points of the inverse's table
// that lie within -96..96.
TEST(InverseTurningPoints, AreWhereTheBandLetterAndTheBandAndPoleChecksTurn) {
    const std::string letters = "ACDEFGHJKLMNPQRSTUVWXZ";
    const auto decisions = [&](double latitude) {
        std::string made(BandLetter(latitude));
        for (const char band : letters) {
            UtmFields utm;
            utm.band = band;
            utm.bandLatitudes = BandLatitudes(band);
            made += BandFailure(utm, latitude).empty() ? '+' : '-';
        }
        return made + (PoleFailure(latitude).empty() ? '+' : '-');
    };
    std::vector<double> found;
    for (double low = -96; low < 96; ++low) { // no band is as narrow as a degree
        FindTurningPoints(decisions, low, low + 1, found);
    }
    std::vector<double> table;
    for (const TurningPoints& points : kInverseTurningPoints) {
        for (double step = 0; points.of == TurningOf::Latitude && step <= points.lastStep; ++step) {
            const double point = points.first + step * points.every;
            for (const double size :
                 {point - points.eitherSide, point, point + points.eitherSide}) {
                table.push_back(size);
                table.push_back(-size);
            }
        }
    }
    std::sort(table.begin(), table.end());
    table.erase(std::unique(table.begin(), table.end()), table.end());
    ASSERT_EQ(found.size(), table.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_NEAR(found[i], table[i], 1e-12) << std::setprecision(17) << table[i];
        EXPECT_TRUE(OnTurningPoint(found[i], true));
    }
}

} // namespace
} // namespace korvane
