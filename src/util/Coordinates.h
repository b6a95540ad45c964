#pragma once

#include <QString>

// Positions are pairs of decimal degrees; 200.0 in either component means "no coordinates".
constexpr double kNoCoordinate = 200.0;

inline bool HasCoordinates(double lat, double lon) {
    return lat != kNoCoordinate && lon != kNoCoordinate;
}

// The message callers show (exclamation icon) when ParseCoordinates rejects user input.
extern const QString kInvalidCoordinatesMessage;

// The display and storage text of a position, e.g. "N47 30.000 W122 15.000"; empty when either
// component is 200.0.
QString FormatCoordinates(double lat, double lon);

// Parses what a user typed. Both outputs are set to 200.0 first; on success they receive the
// position. The empty text succeeds with 200.0 / 200.0.
bool ParseCoordinates(const QString& text, double& lat, double& lon);

// Earth radius for a distance unit: 0 kilometres, 1 nautical miles, 2 statute miles, 3 metres,
// 4 feet; any other code gives 0.
double EarthRadius(int unit);
