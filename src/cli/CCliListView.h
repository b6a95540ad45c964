#pragma once

#include "list/CRecordList.h"

#include <QString>

class CAppSettings;
class CCacheDb;
class CCliParser;

// The records in view, as the list window computes them: the options that choose the category,
// the centre point, the distance unit, the sort order and the filters, and the record list they
// produce. Without options the view is the one the program stores (its filters, sort order,
// centre point and unit); each option changes the settings in memory for this run only.
class CCliListView {
public:
    // Adds the view's options (all but "--category", which each command describes) to a command.
    static void AddOptions(CCliParser& parser);
    // Applies the given options to the settings (a scratch object checks them before the
    // settings are loaded). False with `error` describing the first invalid value.
    static bool ApplyOptions(const CCliParser& parser, CAppSettings& s, QString& error);

    // Loads every record of the database, selects the category ("All" for every category) and
    // applies the filters and the sort order. False, after a message on standard error, when the
    // database has no category of that name.
    bool Load(CCacheDb& db, const QString& category);

    CRecordList& List() { return m_list; }

private:
    CRecordList m_list;
};
