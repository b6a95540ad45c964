#pragma once

#include "util/Coordinates.h"
#include "util/Timestamps.h"

#include <QString>
#include <QtGlobal>

class CCacheRecord;

// The container a summary shows when its record names none.
inline const QString kNoContainer = QStringLiteral("Not chosen");

// The find rating of a record without a "find_rat" extra field.
constexpr qint32 kNoFindRating = -1000;
// Ratings above this are read as this.
constexpr qint32 kMaxFindRating = 100;

// The list's summary of one record: the columns of the list query, the custom fields and find
// rate, and the cached distance (radians) and bearing (degrees) from the centre point. The list
// keeps only these short texts in memory; descriptions, hints and logs are never loaded for it.
//
// Texts that many records share (type, container, difficulty, terrain, owner, custom fields)
// share one copy when the list loads them, so the summary stays small.
class CRecordSummary {
public:
    CRecordSummary() = default;
    virtual ~CRecordSummary() = default;
    CRecordSummary(const CRecordSummary&) = default;
    CRecordSummary& operator=(const CRecordSummary&) = default;

    // Copies the fields the list shows from a full record (everything but the find rate), turns
    // an empty container into "Not chosen" and marks distance and bearing as not computed.
    void CopyFromRecord(const CCacheRecord& record);
    // Sets `find_rat` from an extra-field value (leading blanks removed) and the find rating from
    // it: its decimal value, limited to 100, or -1000 when the text is empty.
    void SetFindRat(const QString& value);
    // Distance and bearing must be computed again.
    void ForgetDistance() {
        computed = false;
        distance = -1.0;
        bearing = 0.0;
    }
    bool HasCoordinates() const { return ::HasCoordinates(lat, lon); }

    double lat = kNoCoordinate;
    double lon = kNoCoordinate;
    Timestamp log_end = 0;  // hunt end; 0 = not set
    double distance = -1.0; // central angle from the centre point in radians; -1.0 = unknown
    double bearing = 0.0;   // initial bearing from the centre point in degrees, [0, 360)
    quint32 id = 0;
    quint32 flags = 0;
    qint32 log_type = 0; // 0 none, 1 note, 2 found, 3 not found
    qint32 find_rating = 0;
    quint16 cid = 0;
    bool computed = false; // distance and bearing are valid

    QString name;
    QString rtype;
    QString wpt;
    QString diff;
    QString terr;
    QString owner;
    QString cont;
    QString custom1;
    QString custom2;
    QString custom3;
    QString find_rat;
};
