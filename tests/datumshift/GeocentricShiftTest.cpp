#include "datumshift/GeocentricShift.hpp"

#include "Cs2cs.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr const char* kToRadians = "+proj=pipeline +step +proj=unitconvert +xy_in=deg "
                                   "+xy_out=rad +step +proj=push +v_3 ";
constexpr const char* kToDegrees = " +step +proj=pop +v_3 +step +proj=unitconvert +xy_in=rad "
                                   "+xy_out=deg";

struct PipelineCase {
    const char* what;
    std::string definition; // in longitude and latitude degrees, as a normalised transformation
    bool evaluatedHere;
};

TEST(GeocentricShift, TakesAffineMapsBetweenEllipsoidsAndLeavesTheRestToProj) {
    // clang-format off
    const PipelineCase cases[] = {
        {"geocentric translations", std::string(kToRadians) + "+step +proj=cart +ellps=intl +step +proj=helmert +x=-87 +y=-98 +z=-121 +step +inv +proj=cart +ellps=WGS84" + kToDegrees, true},
        {"position vector, inverted", std::string(kToRadians) + "+step +proj=cart +ellps=WGS84 +step +inv +proj=helmert +x=-81.1 +y=-89.4 +z=-115.8 +rx=0.485 +ry=0.024 +rz=0.413 +s=-0.54 +convention=position_vector +step +inv +proj=cart +ellps=intl" + kToDegrees, true},
        {"coordinate frame", std::string(kToRadians) + "+step +proj=cart +ellps=intl +step +proj=helmert +x=59.47 +y=-5.04 +z=187.44 +rx=-0.47 +ry=0.1 +rz=-1.024 +s=-4.5993 +convention=coordinate_frame +step +inv +proj=cart +ellps=WGS84" + kToDegrees, true},
        {"through a third ellipsoid, not affine", std::string(kToRadians) + "+step +proj=cart +ellps=intl +step +inv +proj=cart +ellps=bessel +step +proj=cart +ellps=clrk66 +step +inv +proj=cart +ellps=WGS84" + kToDegrees, false},
        {"a grid", "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=hgridshift +grids=nz_linz_nzgd2kgrid0005.tif +step +proj=unitconvert +xy_in=rad +xy_out=deg", false},
        {"Molodensky", "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=molodensky +ellps=intl +dx=-87 +dy=-98 +dz=-121 +da=-251 +df=-1.41927e-05 +step +proj=unitconvert +xy_in=rad +xy_out=deg", false},
        {"no pipeline", "+proj=noop", false},
    };
    // clang-format on
    const ProjContext context;
    for (const PipelineCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ProjObject operation(proj_create(context.Get(), c.definition.c_str()));
        ASSERT_TRUE(operation) << context.LastLoggedError();
        const auto shift = GeocentricShift::Of(context, operation.get(), std::nullopt);
        ASSERT_EQ(shift.has_value(), c.evaluatedHere);
        if (!shift) {
            continue;
        }
        for (const GeodeticPosition position :
             {GeodeticPosition{48.85, 2.35}, {-90, 0}, {90, 180}, {0, -180}, {-33.9, 151.2}}) {
            const PJ_COORD exact =
                proj_trans(operation.get(), PJ_FWD,
                           proj_coord(position.longitude, position.latitude, 0, HUGE_VAL));
            EXPECT_LT(MetresApart(shift->Apply(position), {exact.xyzt.y, exact.xyzt.x}), 1e-6)
                << position.latitude << ", " << position.longitude;
        }
    }
}

} // namespace
} // namespace korvane
