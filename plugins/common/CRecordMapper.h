#pragma once

#include "CGeoRecord.h"

#include <qbex.h>

#include <QString>

// Maps between the neutral record of the file formats and the plug-in record the host stores,
// following how the record page shows each field:
// - hints are stored ROT13-encoded (the page shows them encoded and decodes on request);
// - each past log is four pieces separated by U+0001: the log type, HTML-escaped because the page
//   inserts that piece as stored; the finder, plain (the page escapes it); the log date in ISO form
//   ("2024-05-01"), escaped; the log text, ROT13-encoded for the page's per-log "decode" link;
// - image addresses are separated by U+0001, travel bugs are "ref U+0002 name" entries separated
//   by U+0001;
// - flags: 4 found, 8 not available or archived, 16 additional waypoint, 1 travel bugs listed.
//
// Mapping runs in two steps so that an importer can do the text work on a reading thread and only
// the assignments on the thread that talks to the host: Map builds every field text, Apply copies
// them into the plug-in record.
struct CMappedRecord {
    uint32_t flags = 0; // without "travel bugs listed", which depends on the record's version
    double lat = QBEX_NO_COORD;
    double lon = QBEX_NO_COORD;
    QString wpt, name, rtype, diff, terr, owner, cont, descr, hints, pastLog, url, imgUrls;
    QString bugs;
    QString custom1, custom2, custom3, findRate;
};

class CRecordMapper {
public:
    // Fills `record`, which the host has initialised, from `geo`; only the fields of the record's
    // version are written. An empty type or container keeps the host's default. False when memory
    // ran out.
    static bool ToRecord(const CGeoRecord& geo, QBEX_RECORD& record);

    // The two steps of ToRecord.
    static CMappedRecord Map(const CGeoRecord& geo);
    static bool Apply(const CMappedRecord& mapped, QBEX_RECORD& record);

    // The neutral record of a record fetched from the host.
    static CGeoRecord FromRecord(const QBEX_RECORD& record);

    // The past log text of `logs` (pieces as described above).
    static QString PastLogText(const std::vector<CGeoLog>& logs);

    static QString Get(qbex_str value);
    static bool Set(qbex_str& field, const QString& text);
};
