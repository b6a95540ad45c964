// Distance and bearing from the centre point, their texts, the cells and the list filter.

#include "list/CRecordList.h"

#include "db/CCacheRecord.h"
#include "list/ListNumbers.h"
#include "settings/CAppSettings.h"
#include "settings/COptionList.h"
#include "util/CUserInterface.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// Degrees to radians, pi / 180 as a double.
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;

// Bounds of a difficulty or terrain range that the user left open.
constexpr double kOpenMinimum = -100000.0;
constexpr double kOpenMaximum = 100000.0;

// The compass sectors by bearing, with their texts and "BearingFilter" bits.
struct Sector {
    const char* text;
    int bit;
};
enum { kN, kNE, kE, kSE, kS, kSW, kW, kNW };
const Sector kSectors[] = {
    {"N", 2}, {"NE", 4}, {"E", 16}, {"SE", 128}, {"S", 64}, {"SW", 32}, {"W", 8}, {"NW", 1},
};

int SectorOf(double b) {
    if (b <= 23.0 || b > 337.0)
        return kN;
    if (b < 67.0)
        return kNE;
    if (b < 113.0)
        return kE;
    if (b < 157.0)
        return kSE;
    if (b < 203.0)
        return kS;
    if (b < 247.0)
        return kSW;
    if (b < 293.0)
        return kW;
    return kNW;
}

// A difficulty or terrain range; inactive when both bounds are empty.
struct Range {
    Range(const QString& min, const QString& max)
        : active(!min.isEmpty() || !max.isEmpty()),
          minimum(min.isEmpty() ? kOpenMinimum : TextToDouble(min)),
          maximum(max.isEmpty() ? kOpenMaximum : TextToDouble(max)) {}

    bool Passes(const QString& text) const {
        if (!active)
            return true;
        if (text.isEmpty())
            return false;
        const double value = TextToDouble(text);
        return value >= minimum && value <= maximum;
    }

    bool active;
    double minimum;
    double maximum;
};

bool MatchesText(const QString& field, const QString& match, bool exact) {
    const QString lower = field.toLower();
    return exact ? lower == match : lower.contains(match);
}

} // namespace

void CRecordList::ResetDistances() {
    for (const auto& summary : m_loaded)
        summary->ForgetDistance();
}

double CRecordList::Distance(CRecordSummary& s) {
    if (s.computed)
        return s.distance;
    const CAppSettings& settings = CAppSettings::Global();
    if (!s.HasCoordinates() || !settings.HasCenterPoint())
        return -1.0;

    const double lat1 = settings.m_centerLat * kRadiansPerDegree;
    const double lon1 = settings.m_centerLon * kRadiansPerDegree;
    const double lat2 = s.lat * kRadiansPerDegree;
    const double lon2 = s.lon * kRadiansPerDegree;
    const double dLat = lat2 - lat1;
    const double dLon = lon2 - lon1;

    const double a = std::pow(std::sin(dLat / 2.0), 2.0) +
                     std::cos(lat1) * std::cos(lat2) * std::pow(std::sin(dLon / 2.0), 2.0);
    const double c = 2.0 * std::asin(std::min(1.0, std::sqrt(a)));

    double theta = 0.0;
    const double sinC = std::sin(c);
    if (sinC > 0.0) {
        const double y = (std::sin(lat2) - std::cos(c) * std::sin(lat1)) / (sinC * std::cos(lat1));
        if (y <= -1.0)
            theta = kPi;
        else if (y < 1.0)
            theta = dLon < 0.0 ? -std::acos(y) : std::acos(y);
        else
            theta = 0.0;
    }
    double degrees = theta / kRadiansPerDegree;
    if (degrees < 0.0)
        degrees += 360.0;

    s.distance = c;
    s.bearing = degrees;
    s.computed = true;
    return c;
}

double CRecordList::Bearing(CRecordSummary& s) {
    return Distance(s) < 0.0 ? 0.0 : s.bearing;
}

int CRecordList::BearingFilterBit(double bearing) {
    return kSectors[SectorOf(bearing)].bit;
}

QString CRecordList::SectorText(double bearing) {
    return QString::fromLatin1(kSectors[SectorOf(bearing)].text);
}

QString CRecordList::DistanceText(CRecordSummary& s) {
    const double distance = Distance(s);
    if (distance < 0.0)
        return QString();
    const CAppSettings& settings = CAppSettings::Global();
    const int units = settings.m_distUnits;
    const double d = distance * EarthRadius(units);

    QString number;
    const char* unit;
    if (d >= 0.1) {
        number = QString::asprintf("%.1f", d);
        unit = units == 1 ? "nm" : units == 2 ? "mi" : "km";
    } else if (units == 1) {
        number = QString::number(int(d * 6080.4));
        unit = "ft";
    } else if (units == 2) {
        number = QString::number(int(d * 5280.0));
        unit = "ft";
    } else {
        number = QString::number(int(d * 1000.0));
        unit = "m";
    }
    if (!settings.m_showDistUnits)
        return number;
    return number + QLatin1Char(' ') + QLatin1String(unit);
}

QString CRecordList::BearingText(CRecordSummary& s) {
    if (Distance(s) < 0.0)
        return QString();
    return SectorText(s.bearing);
}

bool CRecordList::IsOwned(const CRecordSummary& s) {
    return !s.owner.isEmpty() && COptionList::SiteUserIds().Contains(s.owner);
}

QString CRecordList::CellText(CRecordSummary& s, QChar letter, int bufferLength) const {
    QString text;
    switch (CListColumns::KindOf(letter)) {
    case kKindType:
        text = s.rtype.left(1);
        break;
    case kKindContainer:
        text = s.cont.left(1);
        break;
    case kKindName:
        text = s.name;
        break;
    case kKindWpt:
        text = s.wpt;
        break;
    case kKindDiff:
        text = s.diff;
        break;
    case kKindTerr:
        text = s.terr;
        break;
    case kKindDistance:
        text = DistanceText(s);
        break;
    case kKindBearing:
        text = BearingText(s);
        break;
    case kKindOwner:
        text = s.owner;
        break;
    case kKindHuntEnd:
        if (s.log_end != 0)
            text = QLocale().toString(TimestampToLocal(s.log_end), QLocale::ShortFormat);
        break;
    case kKindCustom1:
        text = s.custom1;
        break;
    case kKindCustom2:
        text = s.custom2;
        break;
    case kKindCustom3:
        text = s.custom3;
        break;
    case kKindFindRating:
        text = s.find_rat;
        break;
    default: // icon columns and unknown letters
        break;
    }
    if (bufferLength > 0 && text.size() > bufferLength - 1)
        text.truncate(bufferLength - 1);
    return text;
}

void CRecordList::ApplyFilters() {
    CWaitCursor wait;
    m_visible.clear();
    m_visible.reserve(m_loaded.size());

    const CAppSettings& settings = CAppSettings::Global();
    const Range diff(settings.m_minDiff, settings.m_maxDiff);
    const Range terr(settings.m_minTerr, settings.m_maxTerr);
    const double radius = EarthRadius(settings.m_distUnits);
    const double limit = !settings.m_maxDistance.isEmpty() && radius > 0.0
                             ? TextToDouble(settings.m_maxDistance) / radius
                             : -1.0;
    const int bearingFilter = settings.m_bearingFilter;
    const QString& type = settings.m_filterType;
    const QString& container = settings.m_filterContainer;
    const QString& match = settings.m_matchText;
    const bool exact = settings.m_exactMatch != 0;

    for (const auto& owned : m_loaded) {
        CRecordSummary& s = *owned;
        if (m_categoryId != kAllCategoryId && m_categoryId != s.cid)
            continue;
        const double distance = Distance(s);
        if (distance >= 0.0) {
            if (limit >= 0.0 && distance > limit)
                continue;
            if ((BearingFilterBit(s.bearing) & bearingFilter) == 0)
                continue;
        }
        if (!type.isEmpty() && type != s.rtype)
            continue;
        if (!container.isEmpty() && container != s.cont)
            continue;
        if (!diff.Passes(s.diff) || !terr.Passes(s.terr))
            continue;
        if (!match.isEmpty() && !MatchesText(s.name, match, exact) &&
            !MatchesText(s.wpt, match, exact) && !MatchesText(s.cont, match, exact))
            continue;
        if (settings.m_notesOnly && s.log_type == 0)
            continue;
        if (settings.m_foundOnly && (s.flags & kFlagFound) == 0)
            continue;
        if (settings.m_notFoundOnly && (s.flags & kFlagFound) != 0)
            continue;
        if (settings.m_activeOnly && (s.flags & kFlagDisabled) != 0)
            continue;
        if (settings.m_inactiveOnly && (s.flags & kFlagDisabled) == 0)
            continue;
        m_visible.push_back(&s);
    }
    SortVisible();
}
