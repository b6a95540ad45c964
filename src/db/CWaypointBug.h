#pragma once

#include <QString>
#include <QtGlobal>

// One travel bug listed for a cache: a row of t_bugs in a record database.
class CWaypointBug {
public:
    virtual ~CWaypointBug() = default;

    // Back to a bug that is not stored and belongs to no record.
    void Reset() { *this = CWaypointBug(); }

    quint32 id = 0;     // row id; 0 = not stored yet
    quint32 wpt_id = 0; // id of the record the bug belongs to; 0 cannot be saved
    QString tb_num;     // reference number
    QString name;
    QString serial;
    QString url;
    QString mission;
};
