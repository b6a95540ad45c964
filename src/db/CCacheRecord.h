#pragma once

#include "util/Timestamps.h"

#include <QString>
#include <QtGlobal>

// Flag bits of CCacheRecord::flags. Bits not named here are stored and read back unchanged.
constexpr quint32 kFlagBugs = 0x01;          // travel bugs are listed for the cache in t_bugs
constexpr quint32 kFlagBookmarked = 0x02;    // bookmarked
constexpr quint32 kFlagFound = 0x04;         // found
constexpr quint32 kFlagDisabled = 0x08;      // disabled (inactive)
constexpr quint32 kFlagExtraWaypoint = 0x10; // a plug-in's extra waypoint (import routing)

// The values a new record gets for its type and container.
inline const QString kDefaultRecordType = QStringLiteral("Waypoint");
inline const QString kDefaultContainer = QStringLiteral("Not chosen");

// The newest layout of the plug-in record block; the host's own records always have it.
constexpr int kRecordVersion = 3;

// One full record: its category id and record id, then every field of the plug-in record block
// (version 3) under the block's own field names. The plug-in manager copies field by field between
// this and the plug-in's structure. Text fields hold the text as the user sees it; an empty text
// is stored as NULL.
class CCacheRecord {
public:
    // A new record: cid 0, id 0, every field as InitRecord with version 3 gives it; with `newId`
    // the waypoint ID and name get a freshly generated waypoint ID.
    explicit CCacheRecord(bool newId = false);
    virtual ~CCacheRecord() = default;

    CCacheRecord(const CCacheRecord&) = default;
    CCacheRecord& operator=(const CCacheRecord&) = default;

    quint16 cid = 0; // category id; 0 is "Unfiled"
    quint32 id = 0;  // record id; 0 = not stored yet

    // The plug-in record block, in its field order.
    int version = kRecordVersion; // not stored
    quint32 flags = 0;
    QString name;
    QString rtype;
    QString wpt;
    QString diff;
    QString terr;
    QString owner;
    QString cont;
    QString descr;
    QString hints;
    QString past_log;
    QString url;
    QString img_urls;
    double lat = 200.0;
    double lon = 200.0;
    int log_type = 0; // 0 none, 1 note, 2 found, 3 not found
    Timestamp log_start = 0;
    Timestamp log_end = 0;
    QString log_notes;
    QString bugs;    // version 2: bug list text; not stored in t_main
    QString custom1; // version 3: the extra fields (t_extra)
    QString custom2;
    QString custom3;
    QString find_rat;
};

// Sets every field that the given block version has to the value of a new record and `version` to
// the given version; fields of later versions are left alone. cid and id are not touched. With
// `newId` the waypoint ID gets NewWaypointId() and the name the same text.
void InitRecord(CCacheRecord& record, int version, bool newId);

// The next generated waypoint ID: "X" and five base-36 digits (0-9, A-Z) of a counter that follows
// the local clock in steps of two seconds and grows by at least one per call, so IDs are unique
// within a run. The counter lives for the process and is never stored.
QString NewWaypointId();

// The five-digit form used by NewWaypointId: "X" and the lowest five base-36 digits of `n`.
QString WaypointIdFromNumber(quint32 n);
