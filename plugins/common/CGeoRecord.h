#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One past log of a cache as the files carry it: plain text, not encoded.
struct CGeoLog {
    virtual ~CGeoLog() = default;

    QString type;   // "Found it", "Didn't find it", ...
    QString finder; // who wrote it
    QString date;   // as the file writes it ("2024-05-01T19:00:00Z", "2024-05-01", ...)
    QString text;   // plain text, "\r\n" line ends
};

// One travel bug listed in a cache.
struct CGeoBug {
    virtual ~CGeoBug() = default;

    QString ref; // reference number, "TB1A2B"
    QString name;
};

// What a waypoint of a file is.
enum class EGeoKind {
    Cache,    // a geocache
    Child,    // an additional waypoint of a cache (parking, stage, final ...)
    Waypoint, // a plain waypoint without cache data
};

// One waypoint as the readers deliver it and the writers take it, independent of the plug-in
// interface. Text is plain (no markup) with "\r\n" line ends; hints and log texts are decoded.
struct CGeoRecord {
    virtual ~CGeoRecord() = default;

    EGeoKind kind = EGeoKind::Waypoint;
    QString code; // waypoint ID, "GC12AB"
    QString name;
    QString type; // cache type, or the waypoint type of a child ("Parking Area")
    QString container;
    QString difficulty;
    QString terrain;
    QString owner;
    QString description;
    QStringList images; // image addresses found in the description
    QString hints;
    QString url;
    double lat = 200.0; // 200.0: no coordinates
    double lon = 200.0;
    bool disabled = false; // not available or archived
    bool found = false;
    std::vector<CGeoLog> logs;
    std::vector<CGeoBug> bugs;
    QString user1; // user data fields of a cache database program
    QString user2;
    QString user3;
    QString findRate;
    QString parent; // waypoint ID of the cache a child belongs to, when the file names it

    bool HasCoordinates() const { return lat != 200.0 && lon != 200.0; }
};
