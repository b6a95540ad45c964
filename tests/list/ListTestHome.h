#pragma once

#include "CTestHome.h"

#include "db/CCacheRecord.h"
#include "list/CRecordList.h"
#include "settings/CAppSettings.h"
#include "settings/COptionList.h"

#include <QStringList>

#include <memory>

// A temporary home with its own settings (the store's defaults: every sector shown, units shown,
// sorted by name ascending), the three option lists and an empty record list.
class ListTestHome : public CTestHome {
protected:
    void SetUp() override;
    void TearDown() override;

    // A record as the tests describe it; fields not given keep a new record's values (no
    // coordinates, "Unfiled").
    struct Rec {
        QString name{};
        double lat = kNoCoordinate;
        double lon = kNoCoordinate;
        quint32 flags = 0;
        QString diff{};
        QString owner{};
        QString wpt{};
        QString cont = QStringLiteral("Regular");
        QString rtype = QStringLiteral("Traditional Cache");
        quint16 cid = 0;
        int log_type = 0;
    };
    // Appends a summary of the record to the loaded list, with the next record id.
    CRecordSummary* Add(const Rec& rec);
    // The names of the visible rows, in order.
    QStringList VisibleNames() const;

    void SetCenter(double lat, double lon) {
        settings->m_centerLat = lat;
        settings->m_centerLon = lon;
    }
    // Writes the website user IDs file (one ID a line) and reloads the list.
    void SetUserIds(const QStringList& ids);

    std::unique_ptr<CAppSettings> settings;
    std::unique_ptr<COptionList> cacheTypes;
    std::unique_ptr<COptionList> containerTypes;
    std::unique_ptr<COptionList> userIds;
    CRecordList list;

private:
    quint32 m_nextId = 1;
};
