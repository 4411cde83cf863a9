#include "datumshift/GeodeticDatum.hpp"

#include "datumshift/DatumFailure.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/ForwardProjection.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace korvane {
namespace {

struct ResolveCase {
    const char* given;
    const char* code;
    const char* name;
    const char* ellipsoid;
    double a;
    double b;
};

TEST(GeodeticDatum, ResolvesNamesAndCodesToGeographicCrssWithExactAxes) {
    // clang-format off
    const ResolveCase cases[] = {
        {"ED50", "EPSG:4230", "ED50", "International 1924", 6378388, 6356911.9461279465},
        {"EPSG:4230", "EPSG:4230", "ED50", "International 1924", 6378388, 6356911.9461279465},
        {" epsg:4230 ", "EPSG:4230", "ED50", "International 1924", 6378388, 6356911.9461279465},
        {"4230", "EPSG:4230", "ED50", "International 1924", 6378388, 6356911.9461279465},
        {"ed50", "EPSG:4230", "ED50", "International 1924", 6378388, 6356911.9461279465},
        {"WGS 84", "EPSG:4326", "WGS 84", "WGS 84", 6378137, 6356752.3142451793},
        {"NAD27", "EPSG:4267", "NAD27", "Clarke 1866", 6378206.4, 6356583.8},
        {"OSGB36", "EPSG:4277", "OSGB36", "Airy 1830", 6377563.396, 6356256.909237285},
        {"Pulkovo 1942", "EPSG:4284", "Pulkovo 1942", "Krassowsky 1940", 6378245, 6356863.0187730473},
        {"Arc 1960", "EPSG:4210", "Arc 1960", "Clarke 1880 (RGS)", 6378249.145, 6356514.8695497755},
        {"Adindan", "EPSG:4201", "Adindan", "Clarke 1880 (RGS)", 6378249.145, 6356514.8695497755},
        {"Indian 1975", "EPSG:4240", "Indian 1975", "Everest 1830 (1937 Adjustment)", 6377276.345, 6356075.4131402401},
        {"Tokyo", "EPSG:4301", "Tokyo", "Bessel 1841", 6377397.155, 6356078.9628181886},
        {"AGD66", "EPSG:4202", "AGD66", "Australian National Spheroid", 6378160, 6356774.7191953054},
    };
    // clang-format on
    for (const ResolveCase& c : cases) {
        SCOPED_TRACE(c.given);
        const GeodeticDatum datum = ResolveDatum(c.given);
        EXPECT_EQ(datum.code, c.code);
        EXPECT_EQ(datum.name, c.name);
        EXPECT_EQ(datum.ellipsoidName, c.ellipsoid);
        EXPECT_EQ(datum.a, c.a);
        EXPECT_NEAR(datum.b, c.b, 1e-8);
        EXPECT_TRUE(datum.area.has_value());
    }
}

TEST(GeodeticDatum, SaysWhichOfSeveralCrssOfOneNameItTook) {
    const GeodeticDatum wgs84 = ResolveDatum("WGS 84");
    EXPECT_EQ(wgs84.note, "\"WGS 84\" names 3 CRSs in PROJ's database (EPSG:4326 WGS 84, "
                          "geographic 2D CRS, EPSG:4978 WGS 84, geocentric CRS, EPSG:4979 WGS 84, "
                          "geographic 3D CRS); EPSG:4326 was taken");
    EXPECT_EQ(ResolveDatum("ED50").note, "");
}

const DatumEntry& Listed(std::string_view name) {
    return StandardDatumTable()[static_cast<std::size_t>(*ListPositionOf(name) + 1)];
}

// The windows' list holds Clarke 1880 and International 1924 with rounded radii; the datums give
// EPSG's, and the projection takes them.
TEST(GeodeticDatum, GivesTheAxesTheWindowsListRounds) {
    const GeodeticDatum arc1960 = ResolveDatum("Arc 1960");
    const DatumEntry& listed = Listed("Clarke 1880");
    EXPECT_EQ(listed.a, 6378249.1);
    const DatumEntry exact = arc1960.Ellipsoid();
    EXPECT_EQ(exact.listName, "Clarke 1880 (RGS)");
    EXPECT_EQ(exact.a, 6378249.145);
    EXPECT_NE(exact.b, listed.b);
    // Some 6,650 km from the equator, 4.5 cm more of equatorial radius and 3 cm less of polar
    // radius move the northing by some 4 cm.
    const GeodeticPosition north{60, 36};
    const double exactNorthing =
        ProjectToUtm(north, Hemisphere::North, ForwardTerms(exact)).utm.northing;
    const double listedNorthing =
        ProjectToUtm(north, Hemisphere::North, ForwardTerms(listed)).utm.northing;
    EXPECT_GE(std::abs(exactNorthing - listedNorthing), 0.03);

    const GeodeticDatum ed50 = ResolveDatum("ED50");
    EXPECT_EQ(ed50.Ellipsoid().listName, "International 1924");
    EXPECT_NE(ed50.Ellipsoid().b, Listed("International 1924").b);
}

struct UnknownCase {
    const char* given;
    const char* detail;
    const char* suggested; // the first suggestion's name, or nothing
};

TEST(GeodeticDatum, UnknownNamesSayHowToFindNamesAndSuggestCloseOnes) {
    // clang-format off
    const UnknownCase cases[] = {
        {"ED5O", "PROJ's database has no CRS of this name; did you mean \"ED50\" (EPSG:4230)?", "ED50"},
        {"Pulkovo 1924", "PROJ's database has no CRS of this name; did you mean \"Pulkovo 1942\" (EPSG:4284)", "Pulkovo 1942"},
        {"Tokio", "PROJ's database has no CRS of this name; did you mean \"Tokyo\" (EPSG:4301)?", "Tokyo"},
        {"Nad 27", "PROJ's database has no CRS of this name; did you mean \"NAD27\" (EPSG:4267), ", "NAD27"},
        {"EPSG:999999", "PROJ's database has no CRS with the code EPSG:999999.", nullptr},
        {"Qwzxv Datum", "PROJ's database has no CRS of this name.", nullptr},
        {"  ", "no name or code was given.", nullptr},
    };
    // clang-format on
    for (const UnknownCase& c : cases) {
        SCOPED_TRACE(c.given);
        try {
            ResolveDatum(c.given);
            ADD_FAILURE() << "resolved";
        } catch (const UnknownDatumFailure& failure) {
            const std::string message = failure.what();
            EXPECT_NE(message.find(c.detail), std::string::npos) << message;
            EXPECT_NE(message.find("projinfo --list-crs geographic_2d"), std::string::npos);
            ASSERT_EQ(failure.Suggestions().empty(), c.suggested == nullptr);
            if (c.suggested != nullptr) {
                EXPECT_EQ(failure.Suggestions().front().name, c.suggested);
            }
        }
    }
}

TEST(GeodeticDatum, CrssThatAreNotLatitudeAndLongitudeInDegreesFromGreenwichFail) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"EPSG:23031", "\"EPSG:23031\" (EPSG:23031 ED50 / UTM zone 31N) is a projected CRS, not a geographic 2D CRS; its geographic CRS is EPSG:4230 ED50"},
        {"ED50 / UTM zone 31N", "\"ED50 / UTM zone 31N\" (EPSG:23031 ED50 / UTM zone 31N) is a projected CRS, not a geographic 2D CRS; its geographic CRS is EPSG:4230 ED50"},
        {"EPSG:4978", "\"EPSG:4978\" (EPSG:4978 WGS 84) is a geocentric CRS, not a geographic 2D CRS"},
        {"EPSG:4979", "\"EPSG:4979\" (EPSG:4979 WGS 84) is a geographic 3D CRS, not a geographic 2D CRS"},
        {"EGM96 height", "\"EGM96 height\" (EPSG:5773 EGM96 height) is a vertical CRS, not a geographic 2D CRS"},
        {"EPSG:4807", "\"EPSG:4807\" (EPSG:4807 NTF (Paris)) counts angles in grad, not in degrees"},
        {"EPSG:4802", "\"EPSG:4802\" (EPSG:4802 Bogota 1975 (Bogota)) counts longitudes from Bogota (-74.08091666666667 degree from Greenwich), not from Greenwich"},
    };
    // clang-format on
    for (const auto& [given, message] : cases) {
        SCOPED_TRACE(given);
        try {
            ResolveDatum(given);
            ADD_FAILURE() << "resolved";
        } catch (const UnknownDatumFailure& failure) {
            ADD_FAILURE() << failure.what();
        } catch (const DatumFailure& failure) {
            EXPECT_EQ(failure.what(), std::string(message));
        }
    }
}

// Without proj.db every name would be unknown; the failure says what is missing instead.
TEST(GeodeticDatum, AMissingDatabaseIsNotAnUnknownName) {
    const char* kept = std::getenv("PROJ_DATA");
    const std::string before = kept != nullptr ? kept : "";
    setenv("PROJ_DATA", "/nonexistent", 1);
    try {
        ResolveDatum("ED50");
        ADD_FAILURE() << "resolved";
    } catch (const UnknownDatumFailure& failure) {
        ADD_FAILURE() << failure.what();
    } catch (const DatumFailure& failure) {
        EXPECT_EQ(std::string(failure.what()).rfind("PROJ cannot open its database, proj.db", 0),
                  0u)
            << failure.what();
    }
    if (kept != nullptr) {
        setenv("PROJ_DATA", before.c_str(), 1);
    } else {
        unsetenv("PROJ_DATA");
    }
    EXPECT_EQ(ResolveDatum("ED50").code, "EPSG:4230");
}

} // namespace
} // namespace korvane
