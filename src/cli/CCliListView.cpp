#include "cli/CCliListView.h"

#include "cli/CCliParser.h"
#include "cli/CliOutput.h"
#include "db/CCacheDb.h"
#include "list/CListColumns.h"
#include "settings/CAppSettings.h"
#include "util/Coordinates.h"

#include <QStringList>

namespace {

// The compass sectors of "--bearing" and their "BearingFilter" bits.
struct Sector {
    const char* text;
    int bit;
};
const Sector kSectors[] = {
    {"NW", 1}, {"N", 2}, {"NE", 4}, {"W", 8}, {"E", 16}, {"SW", 32}, {"S", 64}, {"SE", 128},
};
constexpr int kAllSectors = 255;

const char* const kUnitNames[] = {"km", "nm", "mi"};

// A text option: the difficulty, terrain and distance bounds, the type, container and match.
struct TextOption {
    const char* name;
    const char* valueName;
    const char* help;
    QString CAppSettings::*member;
    bool number;
};
const TextOption kTextOptions[] = {
    {"type", "TYPE", "Only records of this cache type (exact).", &CAppSettings::m_filterType,
     false},
    {"container", "CONTAINER", "Only records with this container (exact).",
     &CAppSettings::m_filterContainer, false},
    {"min-diff", "N", "Lowest difficulty.", &CAppSettings::m_minDiff, true},
    {"max-diff", "N", "Highest difficulty.", &CAppSettings::m_maxDiff, true},
    {"min-terr", "N", "Lowest terrain.", &CAppSettings::m_minTerr, true},
    {"max-terr", "N", "Highest terrain.", &CAppSettings::m_maxTerr, true},
    {"max-distance", "N", "Greatest distance from the centre point, in the distance unit.",
     &CAppSettings::m_maxDistance, true},
    {"match", "TEXT", "Name, waypoint ID or container containing TEXT (any letter case).",
     &CAppSettings::m_matchText, false},
};

// A filter switch.
struct FlagOption {
    const char* name;
    const char* help;
    int CAppSettings::*member;
};
const FlagOption kFlagOptions[] = {
    {"exact", "--match must equal the name, waypoint ID or container.",
     &CAppSettings::m_exactMatch},
    {"found", "Only records marked found.", &CAppSettings::m_foundOnly},
    {"not-found", "Only records not marked found.", &CAppSettings::m_notFoundOnly},
    {"active", "Only records not disabled.", &CAppSettings::m_activeOnly},
    {"inactive", "Only disabled records.", &CAppSettings::m_inactiveOnly},
    {"notes", "Only records with a log of the user.", &CAppSettings::m_notesOnly},
};

// The "BearingFilter" bits of a list such as "N,NE,E", or "all"; -1 when a piece is unknown.
int BearingBits(const QString& text) {
    if (text.compare(QStringLiteral("all"), Qt::CaseInsensitive) == 0)
        return kAllSectors;
    int bits = 0;
    for (const QString& piece : text.split(u',', Qt::SkipEmptyParts)) {
        int bit = 0;
        for (const Sector& sector : kSectors) {
            if (piece.trimmed().compare(QLatin1String(sector.text), Qt::CaseInsensitive) == 0)
                bit = sector.bit;
        }
        if (bit == 0)
            return -1;
        bits |= bit;
    }
    return bits;
}

bool IsNumber(const QString& text) {
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

// The filters with nothing set, as "Clear Filters" leaves them.
void ClearFilters(CAppSettings& s) {
    for (const TextOption& option : kTextOptions)
        (s.*option.member).clear();
    for (const FlagOption& option : kFlagOptions)
        s.*option.member = 0;
    s.m_bearingFilter = kAllSectors;
}

} // namespace

void CCliListView::AddOptions(CCliParser& parser) {
    parser.AddValueOption(QStringLiteral("center"),
                          QStringLiteral("Centre point for distance and bearing, e.g. "
                                         "\"N47 36.000 W122 20.000\"; \"\" for none."),
                          QStringLiteral("COORDS"));
    parser.AddValueOption(QStringLiteral("units"), QStringLiteral("Distance unit: km, nm or mi."),
                          QStringLiteral("UNIT"));
    parser.AddValueOption(QStringLiteral("sort"),
                          QStringLiteral("Sort by the column of this letter (A to S)."),
                          QStringLiteral("LETTER"));
    parser.AddFlag(QStringLiteral("desc"), QStringLiteral("Sort in descending order."));
    parser.AddFlag(QStringLiteral("clear-filters"),
                   QStringLiteral("Start from no filters instead of the stored ones."));
    for (const TextOption& option : kTextOptions)
        parser.AddValueOption(QLatin1String(option.name), QLatin1String(option.help),
                              QLatin1String(option.valueName));
    for (const FlagOption& option : kFlagOptions)
        parser.AddFlag(QLatin1String(option.name), QLatin1String(option.help));
    parser.AddValueOption(QStringLiteral("bearing"),
                          QStringLiteral("Only records in these compass sectors from the centre "
                                         "point: a list such as N,NE,E, or all."),
                          QStringLiteral("SECTORS"));
}

bool CCliListView::ApplyOptions(const CCliParser& parser, CAppSettings& s, QString& error) {
    if (parser.IsSet(QStringLiteral("center"))) {
        double lat = kNoCoordinate;
        double lon = kNoCoordinate;
        if (!ParseCoordinates(parser.Value(QStringLiteral("center")), lat, lon)) {
            error = QStringLiteral("invalid centre point \"%1\"")
                        .arg(parser.Value(QStringLiteral("center")));
            return false;
        }
        s.m_centerLat = lat;
        s.m_centerLon = lon;
    }
    if (parser.IsSet(QStringLiteral("units"))) {
        const QString unit = parser.Value(QStringLiteral("units"));
        int code = -1;
        for (int i = 0; i < 3; ++i) {
            if (unit == QLatin1String(kUnitNames[i]))
                code = i;
        }
        if (code < 0) {
            error = QStringLiteral("unknown distance unit \"%1\" (km, nm or mi)").arg(unit);
            return false;
        }
        s.m_distUnits = code;
    }
    if (parser.IsSet(QStringLiteral("sort"))) {
        const QString letter = parser.Value(QStringLiteral("sort")).toUpper();
        const int kind = letter.size() == 1 ? CListColumns::KindOf(letter.at(0)) : -1;
        if (kind < 0) {
            error = QStringLiteral("unknown column \"%1\" (A to S)")
                        .arg(parser.Value(QStringLiteral("sort")));
            return false;
        }
        s.m_sortColumn = kind;
        s.m_sortAscend = 1;
    }
    if (parser.IsSet(QStringLiteral("desc")))
        s.m_sortAscend = 0;

    if (parser.IsSet(QStringLiteral("clear-filters")))
        ClearFilters(s);
    for (const TextOption& option : kTextOptions) {
        const QString name = QLatin1String(option.name);
        if (!parser.IsSet(name))
            continue;
        const QString value = parser.Value(name).trimmed();
        if (option.number && !value.isEmpty() && !IsNumber(value)) {
            error = QStringLiteral("--%1 needs a number, not \"%2\"").arg(name, value);
            return false;
        }
        s.*option.member = value;
    }
    // The filter editor stores the match text in lower case; the list compares with it so.
    s.m_matchText = s.m_matchText.toLower();
    for (const FlagOption& option : kFlagOptions) {
        if (parser.IsSet(QLatin1String(option.name)))
            s.*option.member = 1;
    }
    if (parser.IsSet(QStringLiteral("bearing"))) {
        const int bits = BearingBits(parser.Value(QStringLiteral("bearing")));
        if (bits < 0) {
            error = QStringLiteral("unknown compass sector in \"%1\" (N, NE, E, SE, S, SW, W, NW)")
                        .arg(parser.Value(QStringLiteral("bearing")));
            return false;
        }
        s.m_bearingFilter = bits;
    }
    return true;
}

bool CCliListView::Load(CCacheDb& db, const QString& category) {
    m_list.SetDatabase(&db);
    if (category != kAllCategory && category != kUnfiledCategory &&
        db.CategoryIdOf(category) == 0) {
        QStringList names;
        db.GetCategoryNames(names, false);
        Fail(QStringLiteral("the database \"%1\" has no category \"%2\" (categories: %3)")
                 .arg(db.GetName(), category, names.join(QStringLiteral(", "))));
        return false;
    }
    m_list.SelectCategory(category);
    // An incomplete list is never printed as if it were whole; the messages have said why.
    if (!m_list.LoadSummaries())
        return false;
    m_list.ApplyFilters();
    return true;
}
