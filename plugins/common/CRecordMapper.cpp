#include "CRecordMapper.h"

#include "GeoText.h"

using namespace qbgeo;

namespace {

constexpr QChar kEntry(0x0001);
constexpr QChar kField(0x0002);

// Entry and field separators inside a piece would break the field apart.
QString Piece(const QString& text) {
    if (!text.contains(kEntry) && !text.contains(kField)) {
        return text;
    }
    QString out = text;
    out.remove(kEntry);
    out.remove(kField);
    return out;
}

} // namespace

QString CRecordMapper::Get(qbex_str value) {
    return QString::fromUtf16(qbex_str_text(value), qsizetype(qbex_str_length(value)));
}

bool CRecordMapper::Set(qbex_str& field, const QString& text) {
    return qbex_str_assign_utf16(&field, reinterpret_cast<const qbex_char16*>(text.constData()),
                                 size_t(text.size())) != 0;
}

QString CRecordMapper::PastLogText(const std::vector<CGeoLog>& logs) {
    QString text;
    for (const CGeoLog& log : logs) {
        if (!text.isEmpty()) {
            text += kEntry;
        }
        text += HtmlEscape(Piece(log.type));
        text += kEntry;
        text += Piece(log.finder);
        text += kEntry;
        text += HtmlEscape(Piece(IsoDateOf(log.date)));
        text += kEntry;
        text += Rot13(Piece(log.text));
    }
    return text;
}

bool CRecordMapper::ToRecord(const CGeoRecord& geo, QBEX_RECORD& record) {
    return Apply(Map(geo), record);
}

CMappedRecord CRecordMapper::Map(const CGeoRecord& geo) {
    CMappedRecord mapped;
    mapped.flags |= geo.found ? QBEX_REC_FOUND : 0;
    mapped.flags |= geo.disabled ? QBEX_REC_DISABLED : 0;
    mapped.flags |= geo.kind == EGeoKind::Child ? QBEX_REC_EXTRA : 0;
    QStringList bugs;
    for (const CGeoBug& bug : geo.bugs) {
        if (!Piece(bug.ref).isEmpty() && !Piece(bug.name).isEmpty()) {
            bugs << Piece(bug.ref) + kField + Piece(bug.name);
        }
    }
    mapped.bugs = bugs.join(kEntry);
    mapped.lat = geo.HasCoordinates() ? geo.lat : QBEX_NO_COORD;
    mapped.lon = geo.HasCoordinates() ? geo.lon : QBEX_NO_COORD;
    QStringList images;
    for (const QString& image : geo.images) {
        if (!Piece(image).isEmpty()) {
            // The record page inserts image addresses into its HTML as they stand.
            images << SafeAddress(Piece(image));
        }
    }
    mapped.imgUrls = images.join(kEntry);
    mapped.wpt = geo.code;
    mapped.name = geo.name;
    mapped.rtype = geo.type;
    mapped.diff = geo.difficulty;
    mapped.terr = geo.terrain;
    mapped.owner = geo.owner;
    mapped.cont = geo.container;
    mapped.descr = geo.description;
    mapped.hints = Rot13(geo.hints);
    mapped.pastLog = PastLogText(geo.logs);
    mapped.url = geo.url;
    mapped.custom1 = geo.user1;
    mapped.custom2 = geo.user2;
    mapped.custom3 = geo.user3;
    mapped.findRate = geo.findRate;
    return mapped;
}

bool CRecordMapper::Apply(const CMappedRecord& mapped, QBEX_RECORD& record) {
    record.flags = mapped.flags;
    if (record.version >= 2 && !mapped.bugs.isEmpty()) {
        record.flags |= QBEX_REC_BUGS_LISTED;
    }
    record.lat = mapped.lat;
    record.lon = mapped.lon;
    bool ok = Set(record.wpt, mapped.wpt) && Set(record.name, mapped.name) &&
              Set(record.diff, mapped.diff) && Set(record.terr, mapped.terr) &&
              Set(record.owner, mapped.owner) && Set(record.descr, mapped.descr) &&
              Set(record.hints, mapped.hints) && Set(record.past_log, mapped.pastLog) &&
              Set(record.url, mapped.url) && Set(record.img_urls, mapped.imgUrls);
    if (ok && !mapped.rtype.isEmpty()) {
        ok = Set(record.rtype, mapped.rtype);
    }
    if (ok && !mapped.cont.isEmpty()) {
        ok = Set(record.cont, mapped.cont);
    }
    if (ok && record.version >= 2) {
        ok = Set(record.bugs, mapped.bugs);
    }
    if (ok && record.version >= 3) {
        ok = Set(record.custom1, mapped.custom1) && Set(record.custom2, mapped.custom2) &&
             Set(record.custom3, mapped.custom3) && Set(record.find_rat, mapped.findRate);
    }
    return ok;
}

CGeoRecord CRecordMapper::FromRecord(const QBEX_RECORD& record) {
    CGeoRecord geo;
    geo.kind = (record.flags & QBEX_REC_EXTRA) ? EGeoKind::Child : EGeoKind::Cache;
    geo.found = (record.flags & QBEX_REC_FOUND) != 0;
    geo.disabled = (record.flags & QBEX_REC_DISABLED) != 0;
    geo.code = Get(record.wpt);
    geo.name = Get(record.name);
    geo.type = Get(record.rtype);
    geo.container = Get(record.cont);
    geo.difficulty = Get(record.diff);
    geo.terrain = Get(record.terr);
    geo.owner = Get(record.owner);
    geo.description = Get(record.descr);
    geo.hints = Rot13(Get(record.hints));
    geo.url = Get(record.url);
    geo.lat = record.lat;
    geo.lon = record.lon;
    if (!geo.HasCoordinates()) {
        geo.lat = geo.lon = 200.0;
    }
    geo.images = Get(record.img_urls).split(kEntry, Qt::SkipEmptyParts);
    const QStringList pieces = Get(record.past_log).split(kEntry);
    for (qsizetype i = 0; i + 3 < pieces.size(); i += 4) {
        CGeoLog log;
        log.type = HtmlUnescape(pieces[i]);
        log.finder = pieces[i + 1];
        log.date = HtmlUnescape(pieces[i + 2]);
        log.text = Rot13(pieces[i + 3]);
        geo.logs.push_back(std::move(log));
    }
    if (record.version >= 2) {
        for (const QString& entry : Get(record.bugs).split(kEntry, Qt::SkipEmptyParts)) {
            const QStringList fields = entry.split(kField, Qt::SkipEmptyParts);
            if (fields.size() >= 2) {
                CGeoBug bug;
                bug.ref = fields[0];
                bug.name = fields[1];
                geo.bugs.push_back(std::move(bug));
            }
        }
    }
    if (record.version >= 3) {
        geo.user1 = Get(record.custom1);
        geo.user2 = Get(record.custom2);
        geo.user3 = Get(record.custom3);
        geo.findRate = Get(record.find_rat);
    }
    return geo;
}
