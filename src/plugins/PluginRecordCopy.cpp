#include "plugins/PluginRecordCopy.h"

#include "db/CCacheRecord.h"

namespace {

// The text fields of the record block in their order, with the version that added them.
struct TextField {
    QString CCacheRecord::*host;
    qbex_str QBEX_RECORD::*plugin;
    int version;
};

const TextField kTextFields[] = {
    {&CCacheRecord::name, &QBEX_RECORD::name, 1},
    {&CCacheRecord::rtype, &QBEX_RECORD::rtype, 1},
    {&CCacheRecord::wpt, &QBEX_RECORD::wpt, 1},
    {&CCacheRecord::diff, &QBEX_RECORD::diff, 1},
    {&CCacheRecord::terr, &QBEX_RECORD::terr, 1},
    {&CCacheRecord::owner, &QBEX_RECORD::owner, 1},
    {&CCacheRecord::cont, &QBEX_RECORD::cont, 1},
    {&CCacheRecord::descr, &QBEX_RECORD::descr, 1},
    {&CCacheRecord::hints, &QBEX_RECORD::hints, 1},
    {&CCacheRecord::past_log, &QBEX_RECORD::past_log, 1},
    {&CCacheRecord::url, &QBEX_RECORD::url, 1},
    {&CCacheRecord::img_urls, &QBEX_RECORD::img_urls, 1},
    {&CCacheRecord::bugs, &QBEX_RECORD::bugs, 2},
    {&CCacheRecord::custom1, &QBEX_RECORD::custom1, 3},
    {&CCacheRecord::custom2, &QBEX_RECORD::custom2, 3},
    {&CCacheRecord::custom3, &QBEX_RECORD::custom3, 3},
    {&CCacheRecord::find_rat, &QBEX_RECORD::find_rat, 3},
};

// Flag bits that a merged record takes from the plug-in alone: travel bugs listed and disabled.
constexpr quint32 kPluginOwnedFlags = kFlagBugs | kFlagDisabled;

} // namespace

int PluginRecordFields(qint32 version) {
    if (version < 1)
        return 0;
    return version > kRecordVersion ? kRecordVersion : int(version);
}

QString FromQbexStr(qbex_str value) {
    return QString(reinterpret_cast<const QChar*>(qbex_str_text(value)),
                   qsizetype(qbex_str_length(value)));
}

bool AssignQbexStr(qbex_str* field, const QString& text) {
    return qbex_str_assign_utf16(field, reinterpret_cast<const qbex_char16*>(text.utf16()),
                                 size_t(text.size())) != 0;
}

void CopyFromPluginRecord(const QBEX_RECORD* from, CCacheRecord& to, bool merge) {
    const int fields = PluginRecordFields(from->version);
    to.version = from->version;
    if (fields < 1)
        return;
    for (const TextField& field : kTextFields) {
        if (field.version <= fields)
            to.*field.host = FromQbexStr(from->*field.plugin);
    }
    to.lat = from->lat;
    to.lon = from->lon;
    if (merge) {
        to.flags = (to.flags & ~kPluginOwnedFlags) | from->flags;
    } else {
        to.flags = from->flags;
        to.log_type = from->log_type;
        to.log_start = qbex_timestamp_get(from->log_start);
        to.log_end = qbex_timestamp_get(from->log_end);
        to.log_notes = FromQbexStr(from->log_notes);
    }
}

bool CopyToPluginRecord(const CCacheRecord& from, QBEX_RECORD* to) {
    const int fields = PluginRecordFields(to->version);
    if (fields < 1)
        return true;
    bool ok = true;
    for (const TextField& field : kTextFields) {
        if (field.version <= fields)
            ok = AssignQbexStr(&(to->*field.plugin), from.*field.host) && ok;
    }
    to->flags = from.flags;
    to->lat = from.lat;
    to->lon = from.lon;
    to->log_type = from.log_type;
    to->log_start = qbex_timestamp_make(from.log_start);
    to->log_end = qbex_timestamp_make(from.log_end);
    ok = AssignQbexStr(&to->log_notes, from.log_notes) && ok;
    return ok;
}
