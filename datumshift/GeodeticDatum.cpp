#include "datumshift/GeodeticDatum.hpp"

#include "base/AsciiLetters.hpp"
#include "datumshift/CloseNames.hpp"
#include "datumshift/DatumFailure.hpp"
#include "datumshift/ProjContext.hpp"
#include "datumshift/QuotedNumber.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

namespace korvane {

namespace {

struct Code {
    std::string authority;
    std::string code;
};

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsAuthority(const ProjContext& context, const std::string& authority) {
    const PROJ_STRING_LIST authorities = proj_get_authorities_from_database(context.Get());
    bool known = false;
    for (auto name = authorities; name != nullptr && *name != nullptr; ++name) {
        known = known || authority == *name;
    }
    proj_string_list_destroy(authorities);
    return known;
}

// "AUTH:CODE" with an authority of the database (its case set aside), or a bare EPSG number; a
// text with a colon before something else is a name.
std::optional<Code> AsCode(const ProjContext& context, const std::string& text) {
    if (AllDigits(text)) {
        return Code{"EPSG", text};
    }
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) {
        return std::nullopt;
    }
    std::string authority = text.substr(0, colon);
    std::transform(authority.begin(), authority.end(), authority.begin(), UpperCase);
    // EPSG's codes, the usual ones, are always in the database: only another authority is
    // looked for there, a query that takes a fifth of a run's start.
    if (authority != "EPSG" && !IsAuthority(context, authority)) {
        return std::nullopt;
    }
    return Code{authority, Trimmed(text.substr(colon + 1))};
}

std::string KindOf(PJ_TYPE type) {
    switch (type) {
    case PJ_TYPE_GEOGRAPHIC_2D_CRS:
        return "geographic 2D CRS";
    case PJ_TYPE_GEOGRAPHIC_3D_CRS:
        return "geographic 3D CRS";
    case PJ_TYPE_GEOCENTRIC_CRS:
        return "geocentric CRS";
    case PJ_TYPE_GEODETIC_CRS:
        return "geodetic CRS";
    case PJ_TYPE_PROJECTED_CRS:
        return "projected CRS";
    case PJ_TYPE_VERTICAL_CRS:
        return "vertical CRS";
    case PJ_TYPE_COMPOUND_CRS:
        return "compound CRS";
    default:
        return "CRS that is not a geographic one";
    }
}

// The geographic 2D CRSs of the database whose names are close to the one given.
std::vector<DatumSuggestion> Suggestions(const ProjContext& context, const std::string& given) {
    PROJ_CRS_LIST_PARAMETERS* parameters = proj_get_crs_list_parameters_create();
    const PJ_TYPE geographic2d = PJ_TYPE_GEOGRAPHIC_2D_CRS;
    parameters->types = &geographic2d;
    parameters->typesCount = 1;
    int count = 0;
    PROJ_CRS_INFO** list =
        proj_get_crs_info_list_from_database(context.Get(), nullptr, parameters, &count);
    proj_get_crs_list_parameters_destroy(parameters);
    std::vector<std::string> names;
    std::vector<std::string> codes;
    for (int i = 0; list != nullptr && i < count; ++i) {
        names.emplace_back(list[i]->name);
        codes.push_back(std::string(list[i]->auth_name) + ":" + list[i]->code);
    }
    proj_crs_info_list_destroy(list);
    std::vector<DatumSuggestion> suggestions;
    for (const std::size_t i : CloseNames(given, names, 5)) {
        suggestions.push_back({names[i], codes[i]});
    }
    return suggestions;
}

// The CRS a name resolves to; `note` says which was taken when several bear it.
ProjObject FindByName(const ProjContext& context, const std::string& given, std::string& note) {
    static constexpr PJ_TYPE kTypes[] = {PJ_TYPE_GEOGRAPHIC_2D_CRS, PJ_TYPE_GEOGRAPHIC_3D_CRS,
                                         PJ_TYPE_GEOCENTRIC_CRS,    PJ_TYPE_GEODETIC_CRS,
                                         PJ_TYPE_PROJECTED_CRS,     PJ_TYPE_VERTICAL_CRS,
                                         PJ_TYPE_COMPOUND_CRS};
    const ProjObjectList list(proj_create_from_name(context.Get(), nullptr, given.c_str(), kTypes,
                                                    std::size(kTypes), 0, 0, nullptr));
    const int count = list ? proj_list_get_count(list.get()) : 0;
    if (count == 0) {
        throw UnknownDatumFailure(given, "PROJ's database has no CRS of this name",
                                  Suggestions(context, given));
    }
    std::vector<ProjObject> found;
    for (int i = 0; i < count; ++i) {
        found.emplace_back(proj_list_get(context.Get(), list.get(), i));
    }
    // Geographic 2D before the rest, then current before deprecated, then EPSG's before others'.
    const auto rank = [](const ProjObject& crs) {
        const char* authority = proj_get_id_auth_name(crs.get(), 0);
        return std::tuple(proj_get_type(crs.get()) != PJ_TYPE_GEOGRAPHIC_2D_CRS,
                          proj_is_deprecated(crs.get()) != 0,
                          authority == nullptr || std::string_view(authority) != "EPSG");
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](const ProjObject& x, const ProjObject& y) { return rank(x) < rank(y); });
    if (found.size() > 1) {
        note = "\"" + given + "\" names " + std::to_string(found.size()) +
               " CRSs in PROJ's database (";
        for (std::size_t i = 0; i < found.size(); ++i) {
            note.append(i == 0 ? "" : ", ")
                .append(CodeOf(found[i].get()))
                .append(" ")
                .append(NameOf(found[i].get()))
                .append(", ")
                .append(KindOf(proj_get_type(found[i].get())));
        }
        note += "); " + CodeOf(found.front().get()) + " was taken";
    }
    return std::move(found.front());
}

// Throws when the CRS is not one whose positions are latitudes and longitudes in degrees from
// Greenwich, which is what the shift and the projections take.
void CheckGeographic2d(const ProjContext& context, const PJ* crs, const std::string& given) {
    const std::string quoted = "\"" + given + "\" (" + CodeOf(crs) + " " + NameOf(crs) + ")";
    const PJ_TYPE type = proj_get_type(crs);
    if (type != PJ_TYPE_GEOGRAPHIC_2D_CRS) {
        std::string message = quoted + " is a " + KindOf(type) + ", not a geographic 2D CRS";
        const ProjObject geodetic(proj_crs_get_geodetic_crs(context.Get(), crs));
        if (type == PJ_TYPE_PROJECTED_CRS && geodetic &&
            proj_get_type(geodetic.get()) == PJ_TYPE_GEOGRAPHIC_2D_CRS) {
            message +=
                "; its geographic CRS is " + CodeOf(geodetic.get()) + " " + NameOf(geodetic.get());
        }
        throw DatumFailure(message);
    }
    const ProjObject system(proj_crs_get_coordinate_system(context.Get(), crs));
    const int axes = system ? proj_cs_get_axis_count(context.Get(), system.get()) : 0;
    for (int axis = 0; axis < axes; ++axis) {
        double toRadians = 0;
        const char* unit = nullptr;
        proj_cs_get_axis_info(context.Get(), system.get(), axis, nullptr, nullptr, nullptr,
                              &toRadians, &unit, nullptr, nullptr);
        // The database's degree is 0.0174532925199433, a few units in the last place from
        // pi / 180; a grad or a radian is far from it.
        if (std::abs(toRadians / (std::numbers::pi / 180) - 1) > 1e-12) {
            throw DatumFailure(quoted + " counts angles in " + (unit != nullptr ? unit : "?") +
                               ", not in degrees");
        }
    }
    const ProjObject meridian(proj_get_prime_meridian(context.Get(), crs));
    double longitude = 0;
    const char* unit = nullptr;
    if (!meridian ||
        !proj_prime_meridian_get_parameters(context.Get(), meridian.get(), &longitude, nullptr,
                                            &unit) ||
        longitude != 0) {
        throw DatumFailure(quoted + " counts longitudes from " + NameOf(meridian.get()) + " (" +
                           QuotedNumber(longitude) + " " + (unit != nullptr ? unit : "?") +
                           " from Greenwich), not from Greenwich");
    }
}

} // namespace

GeodeticDatum ResolveDatum(std::string_view nameOrCode) {
    const ProjContext context;
    // Without its database PROJ would know no name at all, which is not the user's doing.
    if (proj_context_get_database_path(context.Get()) == nullptr) {
        throw DatumFailure("PROJ cannot open its database, proj.db (Debian package proj-data): " +
                           context.LastLoggedError());
    }
    const std::string given = Trimmed(nameOrCode);
    if (given.empty()) {
        throw UnknownDatumFailure(std::string(nameOrCode), "no name or code was given", {});
    }
    GeodeticDatum datum;
    ProjObject crs;
    if (const auto code = AsCode(context, given)) {
        crs.reset(proj_create_from_database(context.Get(), code->authority.c_str(),
                                            code->code.c_str(), PJ_CATEGORY_CRS, 0, nullptr));
        if (!crs) {
            throw UnknownDatumFailure(given,
                                      "PROJ's database has no CRS with the code " +
                                          code->authority + ":" + code->code,
                                      {});
        }
    } else {
        crs = FindByName(context, given, datum.note);
    }
    CheckGeographic2d(context, crs.get(), given);
    if (proj_is_deprecated(crs.get())) {
        datum.note += (datum.note.empty() ? "" : "; ") + CodeOf(crs.get()) +
                      " is deprecated in PROJ's database";
    }
    datum.name = NameOf(crs.get());
    datum.code = CodeOf(crs.get());
    const ProjObject ellipsoid(proj_get_ellipsoid(context.Get(), crs.get()));
    if (!ellipsoid || !proj_ellipsoid_get_parameters(context.Get(), ellipsoid.get(), &datum.a,
                                                     &datum.b, nullptr, nullptr)) {
        throw DatumFailure("PROJ gives no ellipsoid for " + datum.code + " " + datum.name);
    }
    datum.ellipsoidName = NameOf(ellipsoid.get());
    datum.area = AreaOfUseOf(context, crs.get());
    return datum;
}

} // namespace korvane
