#include "list/CRecordSummary.h"

#include "db/CCacheRecord.h"
#include "list/ListNumbers.h"

void CRecordSummary::CopyFromRecord(const CCacheRecord& record) {
    name = record.name;
    cont = record.cont.isEmpty() ? kNoContainer : record.cont;
    diff = record.diff;
    owner = record.owner;
    terr = record.terr;
    rtype = record.rtype;
    wpt = record.wpt;
    flags = record.flags;
    cid = record.cid;
    lat = record.lat;
    lon = record.lon;
    log_type = record.log_type;
    log_end = record.log_end;
    custom1 = record.custom1;
    custom2 = record.custom2;
    custom3 = record.custom3;
    ForgetDistance();
}

void CRecordSummary::SetFindRat(const QString& value) {
    qsizetype start = 0;
    while (start < value.size() && value.at(start).isSpace())
        ++start;
    find_rat = start == 0 ? value : value.mid(start);
    if (find_rat.isEmpty()) {
        find_rating = kNoFindRating;
        return;
    }
    find_rating = qMin(TextToInt(find_rat), kMaxFindRating);
}
