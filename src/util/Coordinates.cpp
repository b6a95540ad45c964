#include "util/Coordinates.h"

#include <QByteArray>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

const QString kInvalidCoordinatesMessage = QStringLiteral(
    "Invalid coordinate format or not in valid range.  Supported formats are:\nhddd.ddddd\n"
    "hddd mm.mmm\nhddd mm ss.s\nDDD.ddddd\nDDD mm.mmm");

namespace {

// 1/60 as the parser has always multiplied by it (not a division).
constexpr double kOneSixtieth = 0.016666666666666666;
constexpr int kMaxTokens = 8;

struct Token {
    char kind; // '#' number, 'N' latitude hemisphere, 'E' longitude hemisphere
    qsizetype start;
};

bool IsNumberChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || u == u'.' || u == u'-';
}

// A C-locale conversion, so that a decimal comma in the user's locale never changes the result.
double StrToDouble(const char* text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text, nullptr, cLocale);
}

// Reads the number that starts at `start` in the scanned copy: the longest valid decimal prefix
// up to the terminator the scanner wrote (or the end of the text). A token of only "." or "-"
// reads as 0.
double NumberAt(const QString& copy, qsizetype start) {
    QByteArray bytes;
    for (qsizetype i = start; i < copy.size(); ++i) {
        const char16_t u = copy.at(i).unicode();
        if (u == 0 || u >= 0x80)
            break;
        bytes.append(static_cast<char>(u));
    }
    return StrToDouble(bytes.constData());
}

// Whole degrees as a printable integer; absurdly large values stop at the largest one.
int WholeDegrees(double degrees) {
    return degrees < double(std::numeric_limits<int>::max()) ? static_cast<int>(degrees)
                                                             : std::numeric_limits<int>::max();
}

bool InRange(double lat, double lon) {
    return lat >= -90.0 && lat <= 90.0 && lon >= -180.0 && lon < 180.0;
}

} // namespace

QString FormatCoordinates(double lat, double lon) {
    if (lat == kNoCoordinate || lon == kNoCoordinate)
        return QString();
    // Positions from plug-ins are not range-checked; a value that is no number at all has no
    // text form.
    if (!std::isfinite(lat) || !std::isfinite(lon))
        return QString();

    char latLetter = 'N';
    if (lat < 0) {
        latLetter = 'S';
        lat = -lat;
    }
    char lonLetter = 'E';
    if (lon < 0) {
        lonLetter = 'W';
        lon = -lon;
    }
    const double latDegrees = std::floor(lat);
    const double lonDegrees = std::floor(lon);
    const double latMinutes = (lat - latDegrees) * 60.0;
    const double lonMinutes = (lon - lonDegrees) * 60.0;
    return QString::asprintf("%c%02d %06.3f %c%03d %06.3f", latLetter, WholeDegrees(latDegrees),
                             latMinutes, lonLetter, WholeDegrees(lonDegrees), lonMinutes);
}

bool ParseCoordinates(const QString& text, double& lat, double& lon) {
    lat = kNoCoordinate;
    lon = kNoCoordinate;
    if (text.isEmpty())
        return true;

    // Scan a copy: letters are upper-cased in place and the character that ends a number is
    // overwritten by a terminator, so each number reads only up to its end.
    QString copy = text;
    std::array<Token, kMaxTokens> tokens{};
    int count = 0;
    bool inNumber = false;
    for (qsizetype i = 0; i < copy.size() && count < kMaxTokens; ++i) {
        QChar c = copy.at(i);
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - u'a' + u'A');
            copy[i] = c;
        }
        if (IsNumberChar(c)) {
            if (!inNumber) {
                tokens[count++] = {'#', i};
                inNumber = true;
            }
        } else if (inNumber) {
            copy[i] = QChar(0);
            inNumber = false;
        } else if (c == u'N' || c == u'S') {
            tokens[count++] = {'N', i};
        } else if (c == u'E' || c == u'W') {
            tokens[count++] = {'E', i};
        }
    }

    QString pattern;
    std::array<double, kMaxTokens> numbers{};
    int numberCount = 0;
    bool south = false;
    bool west = false;
    for (int t = 0; t < count; ++t) {
        pattern.append(QLatin1Char(tokens[t].kind));
        if (tokens[t].kind == '#')
            numbers[numberCount++] = NumberAt(copy, tokens[t].start);
        else if (copy.at(tokens[t].start) == u'S')
            south = true;
        else if (copy.at(tokens[t].start) == u'W')
            west = true;
    }

    const double* n = numbers.data();
    double newLat = 0;
    double newLon = 0;
    if (pattern == u"##") {
        newLat = n[0];
        newLon = n[1];
    } else if (pattern == u"####") {
        newLat = n[0] + (n[0] < 0 ? -n[1] : n[1]) * kOneSixtieth;
        newLon = n[2] + (n[2] < 0 ? -n[3] : n[3]) * kOneSixtieth;
    } else if (pattern == u"N#E#") {
        newLat = n[0];
        newLon = n[1];
    } else if (pattern == u"N##E##") {
        newLat = n[0] + n[1] * kOneSixtieth;
        newLon = n[2] + n[3] * kOneSixtieth;
    } else if (pattern == u"N###E###") {
        newLat = n[0] + (n[1] + n[2] * kOneSixtieth) * kOneSixtieth;
        newLon = n[3] + (n[4] + n[5] * kOneSixtieth) * kOneSixtieth;
    } else {
        return false;
    }
    // The hemisphere letters only count in the patterns that have them; in the signed forms there
    // are no hemisphere tokens at all.
    if (south)
        newLat = -newLat;
    if (west)
        newLon = -newLon;

    if (!InRange(newLat, newLon))
        return false;
    lat = newLat;
    lon = newLon;
    return true;
}

double EarthRadius(int unit) {
    switch (unit) {
    case 0:
        return 6378.137;
    case 1:
        return 3443.8572804103915;
    case 2:
        return 3963.190744625031;
    case 3:
        return 6378137.0;
    case 4:
        return 20925647.08751536;
    default:
        return 0.0;
    }
}
