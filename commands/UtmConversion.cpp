#include "commands/UtmConversion.hpp"

#include "commands/NumberText.hpp"
#include "commands/ReadNumber.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/Int16.hpp"
#include "geodesy/InverseProjection.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>

namespace korvane {

namespace {

// Whole degrees, whole minutes and seconds to two decimals. Seconds that round to 60 stay 60:
// they are not carried into the minutes.
void WriteDegreesMinutesSeconds(double degrees, double magnitude, std::string* texts,
                                const std::string& decimalSeparator) {
    const double minutes = (magnitude - Int(magnitude)) * 60;
    const double seconds = RoundToHundredths((minutes - Int(minutes)) * 60);
    texts[0] = PlainNumber(Int(degrees), decimalSeparator);
    texts[1] = PlainNumber(Int(minutes), decimalSeparator);
    texts[2] = PlainNumber(seconds, decimalSeparator);
}

} // namespace

UtmConversion ConvertUtm(const UtmInputs& inputs, const std::string& decimalSeparator) {
    UtmConversion result;
    try {
        UtmCoordinate utm;
        utm.northing = ReadNumber(inputs.northing);
        utm.easting = ReadNumber(inputs.easting);
        utm.zone = RoundToInt16(ReadNumber(inputs.zone), "reading the zone");
        InverseCentralMeridian(utm.zone); // a zone outside -5430..5461 fails here, early
        utm.hemisphere = inputs.hemisphere == "S" ? Hemisphere::South : Hemisphere::North;
        result.frameShown = true;
        const auto& datum =
            DatumForListPosition(CheckedInt16(inputs.datumPosition, "datum list position"));
        const InverseSteps steps = InverseSeries(utm, datum);
        const double fromEquator = steps.latitudeDegrees;
        const double longitude = steps.longitudeDegrees;
        result.position = {utm.hemisphere == Hemisphere::South ? -fromEquator : fromEquator,
                           longitude};
        const std::string_view band = BandLetter(result.position.latitude);

        WriteDegreesMinutesSeconds(fromEquator, std::fabs(fromEquator), result.latitude.data(),
                                   decimalSeparator);
        result.latitude[3] = std::string(inputs.hemisphere);
        WriteDegreesMinutesSeconds(std::fabs(longitude), std::fabs(longitude),
                                   result.longitude.data(), decimalSeparator);
        result.longitude[3] = longitude < 0 ? 'W' : 'E';
        result.gridReference = GridReference(utm.zone, band, utm.easting, utm.northing);
    } catch (const ComputationFailure& failure) {
        const bool frameShown = result.frameShown;
        result = UtmConversion{};
        result.frameShown = frameShown;
        result.failure = failure.what();
    }
    return result;
}

} // namespace korvane
