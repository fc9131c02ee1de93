// The ranges a placement checks before it writes anything. Beyond them the
// flight model is handed a place off the globe, a height or a speed it turns
// into infinities on its next step.
#include "flight/PlaceableRanges.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "flight/Atmosphere.h"
#include "flight/FlightUnits.h"
#include "position/RecordText.h"

namespace {

constexpr int kLatitude = 1;
constexpr int kLongitude = 2;
constexpr int kAltitude = 3;

constexpr PlaceableRange kPlaceableRanges[] = {
    {kLatitude, -90.0, 90.0},          // degrees
    {kLongitude, -180.0, 180.0},       // degrees
    {kAltitude, -1500.0, 1000000.0},   // feet: below the lowest shore on Earth to far above the air
    {kSpeedField, -20000.0, 20000.0},  // knots, indicated: rolling backwards reads below 0
};

// Edges included. Asked as "not inside" so that a value that is not a number
// is outside every range, though none arrives: the readers take "nan" for no
// number (0) and hold a number too large at the largest finite one, and a
// capture holds its values finite.
bool inside(double value, const PlaceableRange& range) { return value >= range.lowest && value <= range.highest; }

}  // namespace

const PlaceableRange* firstValueOutOfRange(const PositionRecord& record) {
    const PlaceableRange* end = std::end(kPlaceableRanges);
    const PlaceableRange* outside = std::find_if(std::begin(kPlaceableRanges), end, [&](const PlaceableRange& range) {
        return !inside(fieldValue(record, range.field), range);
    });
    return outside == end ? nullptr : outside;
}

// The standard atmosphere at the new place: its real air is known only once
// the aircraft is there, and the settle holds the speed to the same limit in it.
bool tooFastToPlace(const PositionRecord& record) {
    return !(std::fabs(trueAirspeed(record.Speed, record.Altitude / kFeetPerMetre)) <= kFastestTrueAirspeed);
}
