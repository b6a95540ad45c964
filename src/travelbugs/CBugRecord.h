#pragma once

#include "util/Timestamps.h"

#include <QString>
#include <QtGlobal>

// One travel bug of the user's inventory: a row of t_bugs in "TravelBugs.db".
struct CBugRecord {
    CBugRecord() = default;
    virtual ~CBugRecord() = default;
    CBugRecord(const CBugRecord&) = default;
    CBugRecord& operator=(const CBugRecord&) = default;

    // Back to a bug that is not stored: id and entry time 0, every text empty.
    void Reset();

    quint32 id = 0;          // row id; 0 for a bug not yet stored
    QString tb_num;          // reference number ("Ref #")
    QString name;            // name
    QString serial;          // serial number ("Serial #")
    QString url;             // web page; empty for bugs added by hand
    QString mission;         // mission text, kept as it is
    Timestamp insert_ts = 0; // when the bug entered the inventory; 0 = not set
};
