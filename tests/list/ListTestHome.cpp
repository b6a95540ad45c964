#include "ListTestHome.h"

void ListTestHome::SetUp() {
    CTestHome::SetUp();
    settings = std::make_unique<CAppSettings>();
    settings->LoadSettings();
    CAppSettings::SetGlobal(settings.get());
    cacheTypes = std::make_unique<COptionList>(COptionList::MakeCacheTypes());
    containerTypes = std::make_unique<COptionList>(COptionList::MakeContainerTypes());
    userIds = std::make_unique<COptionList>(COptionList::MakeSiteUserIds());
    COptionList::SetGlobals(cacheTypes.get(), containerTypes.get(), userIds.get());
}

void ListTestHome::TearDown() {
    list.Clear();
    COptionList::SetGlobals(nullptr, nullptr, nullptr);
    CAppSettings::SetGlobal(nullptr);
    CTestHome::TearDown();
}

CRecordSummary* ListTestHome::Add(const Rec& rec) {
    CCacheRecord record;
    record.id = m_nextId++;
    record.name = rec.name;
    record.lat = rec.lat;
    record.lon = rec.lon;
    record.flags = rec.flags;
    record.diff = rec.diff;
    record.owner = rec.owner;
    record.wpt = rec.wpt;
    record.cont = rec.cont;
    record.rtype = rec.rtype;
    record.cid = rec.cid;
    record.log_type = rec.log_type;
    return list.NewSummaryFromRecord(record);
}

QStringList ListTestHome::VisibleNames() const {
    QStringList names;
    for (const CRecordSummary* s : list.Visible())
        names.append(s->name);
    return names;
}

void ListTestHome::SetUserIds(const QStringList& ids) {
    WriteFile(QStringLiteral("SiteUserIDs.txt"), (ids.join(QLatin1Char('\n')) + "\n").toUtf8());
    userIds->Unload();
}
