#include "datumshift/GeocentricShift.hpp"

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace korvane {

namespace {

using Step = std::vector<std::string>;

// PROJ's degree and its inverse, as its unitconvert multiplies by them.
constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr double kDegreesPerRadian = 1 / kRadiansPerDegree;

// How far this evaluation may stray from proj_trans's, and the map from an affine one.
constexpr double kAgreement = 1e-6; // metres

// The steps of a PROJ pipeline, each as its "+key=value" words; nothing for another definition.
std::vector<Step> PipelineSteps(const char* definition) {
    std::istringstream words(definition != nullptr ? definition : "");
    std::string word;
    if (!(words >> word) || word != "+proj=pipeline") {
        return {};
    }
    std::vector<Step> steps;
    while (words >> word) {
        if (word == "+step") {
            steps.emplace_back();
        } else if (steps.empty()) {
            return {}; // an option of the whole pipeline
        } else {
            steps.back().push_back(word);
        }
    }
    return steps;
}

// The step's words as PROJ reads them; without "+inv", the step the other way.
std::string Joined(const Step& step, bool keepInverse) {
    std::string text;
    for (const std::string& word : step) {
        if (keepInverse || word != "+inv") {
            text += (text.empty() ? "" : " ") + word;
        }
    }
    return text;
}

bool IsCart(const Step& step, bool inverse) {
    bool cart = false;
    bool inverted = false;
    for (const std::string& word : step) {
        cart = cart || word == "+proj=cart";
        inverted = inverted || word == "+inv";
    }
    return cart && inverted == inverse;
}

PJ_COORD Transformed(PJ* operation, double x, double y, double z) {
    return proj_trans(operation, PJ_FWD, proj_coord(x, y, z, HUGE_VAL));
}

} // namespace

std::optional<GeocentricShift> GeocentricShift::Of(const ProjContext& context, PJ* operation,
                                                   const std::optional<AreaOfUse>& area) {
    const std::vector<Step> steps =
        PipelineSteps(proj_as_proj_string(context.Get(), operation, PJ_PROJ_5, nullptr));
    const std::size_t n = steps.size();
    if (n < 7 || steps[0] != Step{"+proj=unitconvert", "+xy_in=deg", "+xy_out=rad"} ||
        steps[1] != Step{"+proj=push", "+v_3"} || !IsCart(steps[2], false) ||
        !IsCart(steps[n - 3], true) || steps[n - 2] != Step{"+proj=pop", "+v_3"} ||
        steps[n - 1] != Step{"+proj=unitconvert", "+xy_in=rad", "+xy_out=deg"}) {
        return std::nullopt;
    }

    // The radii of an ellipsoid from PROJ's cart on it: at the equator and at a pole.
    const auto measured = [&](const Step& step) -> std::optional<Ellipsoid> {
        const ProjObject cart(proj_create(context.Get(), Joined(step, false).c_str()));
        if (!cart) {
            return std::nullopt;
        }
        Ellipsoid ellipsoid;
        ellipsoid.a = Transformed(cart.get(), 0, 0, 0).xyz.x;
        ellipsoid.b = Transformed(cart.get(), 0, std::numbers::pi / 2, 0).xyz.z;
        if (!(ellipsoid.a > 0 && ellipsoid.b > 0 && ellipsoid.b <= ellipsoid.a &&
              std::isfinite(ellipsoid.a))) {
            return std::nullopt;
        }
        const double ratio = ellipsoid.b / ellipsoid.a;
        ellipsoid.es = 1 - ratio * ratio;
        ellipsoid.e2s = ellipsoid.es / (ratio * ratio);
        return ellipsoid;
    };
    const std::optional<Ellipsoid> from = measured(steps[2]);
    const std::optional<Ellipsoid> to = measured(steps[n - 3]);
    std::string middle = "+proj=pipeline";
    for (std::size_t i = 3; i < n - 3; ++i) {
        middle += " +step " + Joined(steps[i], true);
    }
    const ProjObject between(proj_create(context.Get(), middle.c_str()));
    if (!from || !to || !between) {
        return std::nullopt;
    }

    // The map from where it takes the origin and the points one radius along each axis.
    const double r = from->a;
    const PJ_COORD origin = Transformed(between.get(), 0, 0, 0);
    std::array<double, 12> map{};
    for (std::size_t row = 0; row < 3; ++row) {
        map[row * 4] = origin.v[row];
    }
    for (int axis = 0; axis < 3; ++axis) {
        const PJ_COORD along =
            Transformed(between.get(), axis == 0 ? r : 0, axis == 1 ? r : 0, axis == 2 ? r : 0);
        for (std::size_t row = 0; row < 3; ++row) {
            map[row * 4 + 1 + static_cast<std::size_t>(axis)] = (along.v[row] - origin.v[row]) / r;
        }
    }
    const GeocentricShift shift(*from, map, *to);

    // Affine: the same at points in the 26 directions of a cube's faces, edges and corners,
    // 10 km above and below the ellipsoid in turn.
    int turn = 0;
    for (int i = -1; i <= 1; ++i) {
        for (int j = -1; j <= 1; ++j) {
            for (int k = -1; k <= 1; ++k) {
                if (i == 0 && j == 0 && k == 0) {
                    continue;
                }
                const double scale = (r + (turn++ % 2 == 0 ? 1e4 : -1e4)) /
                                     std::sqrt(static_cast<double>(i * i + j * j + k * k));
                const double p[3] = {i * scale, j * scale, k * scale};
                const PJ_COORD exact = Transformed(between.get(), p[0], p[1], p[2]);
                for (std::size_t row = 0; row < 3; ++row) {
                    const double affine = map[row * 4] + map[row * 4 + 1] * p[0] +
                                          map[row * 4 + 2] * p[1] + map[row * 4 + 3] * p[2];
                    if (!(std::abs(exact.v[row] - affine) <= kAgreement)) {
                        return std::nullopt;
                    }
                }
            }
        }
    }

    // And the whole the same as proj_trans's over the area of use, short of the poles.
    const AreaOfUse box = area.value_or(AreaOfUse{});
    const double width = box.Width();
    const double south = std::max(box.south, -89.9);
    const double north = std::min(box.north, 89.9);
    for (int i = 0; i <= 6; ++i) {
        for (int j = 0; j <= 6; ++j) {
            double longitude = box.west + width * i / 6;
            longitude = longitude > 180 ? longitude - 360 : longitude;
            const double latitude = south + (north - south) * j / 6;
            const PJ_COORD exact = Transformed(operation, longitude, latitude, 0);
            const GeodeticPosition here = shift.Apply({latitude, longitude});
            const double metresPerDegree = r * kRadiansPerDegree;
            const double northError = (here.latitude - exact.xyzt.y) * metresPerDegree;
            double eastError = here.longitude - exact.xyzt.x;
            eastError = eastError > 180    ? eastError - 360
                        : eastError < -180 ? eastError + 360
                                           : eastError;
            eastError *= metresPerDegree * std::cos(latitude * kRadiansPerDegree);
            if (!(std::abs(northError) <= kAgreement && std::abs(eastError) <= kAgreement)) {
                return std::nullopt;
            }
        }
    }
    return shift;
}

GeodeticPosition GeocentricShift::Apply(const GeodeticPosition& position) const {
    const double phi = position.latitude * kRadiansPerDegree;
    const double lambda = position.longitude * kRadiansPerDegree;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    // Heiskanen and Moritz 5-27 at height 0, as PROJ's cart.
    const double normal = from_.a / std::sqrt(1 - from_.es * sinPhi * sinPhi);
    const double x = normal * cosPhi * std::cos(lambda);
    const double y = normal * cosPhi * std::sin(lambda);
    const double z = normal * (1 - from_.es) * sinPhi;
    const double mapped[3] = {
        map_[0] + map_[1] * x + map_[2] * y + map_[3] * z,
        map_[4] + map_[5] * x + map_[6] * y + map_[7] * z,
        map_[8] + map_[9] * x + map_[10] * y + map_[11] * z,
    };
    // Bowring's formula in one step, as PROJ's cart inverse (no square here can overflow).
    const double p = std::sqrt(mapped[0] * mapped[0] + mapped[1] * mapped[1]);
    // The cosine and sine of theta = atan2(z a, p b), from its sides.
    const double zA = mapped[2] * to_.a;
    const double pB = p * to_.b;
    const double hypotenuse = std::sqrt(zA * zA + pB * pB);
    const double c = pB / hypotenuse;
    const double s = zA / hypotenuse;
    const double latitude =
        std::atan2(mapped[2] + to_.e2s * to_.b * s * s * s, p - to_.es * to_.a * c * c * c);
    const double longitude = std::atan2(mapped[1], mapped[0]);
    return {latitude * kDegreesPerRadian, longitude * kDegreesPerRadian};
}

} // namespace korvane
