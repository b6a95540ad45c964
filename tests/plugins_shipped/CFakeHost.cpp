#include "CFakeHost.h"

#include <algorithm>

#include <dlfcn.h>

namespace {

CFakeHost* s_host = nullptr;

QString Get(qbex_str value) {
    return QString::fromUtf16(qbex_str_text(value), qsizetype(qbex_str_length(value)));
}

void Set(qbex_str& field, const QString& text) {
    qbex_str_assign_utf16(&field, reinterpret_cast<const qbex_char16*>(text.constData()),
                          size_t(text.size()));
}

} // namespace

CFakeHost::CFakeHost() {
    s_host = this;
}

CFakeHost::~CFakeHost() {
    s_host = nullptr;
}

QBEX_INVOKE CFakeHost::Invoke(int role) {
    QBEX_INVOKE invoke{};
    invoke.role = role;
    invoke.record_count = int32_t(queue.size());
    invoke.app_folder = m_folder.c_str();
    invoke.lat = invoke.lon = QBEX_NO_COORD;
    invoke.init_record = &CFakeHost::InitRecord;
    invoke.add_record = &CFakeHost::AddRecord;
    invoke.get_record = &CFakeHost::GetRecord;
    invoke.reset_records = &CFakeHost::ResetRecords;
    m_cursor = 0;
    return invoke;
}

void CFakeHost::InitRecord(QBEX_RECORD* record, int32_t) {
    const CHostRecord defaults;
    record->flags = 0;
    for (qbex_str* field :
         {&record->name, &record->wpt, &record->diff, &record->terr, &record->owner, &record->descr,
          &record->hints, &record->past_log, &record->url, &record->img_urls, &record->log_notes}) {
        qbex_str_free(field);
    }
    Set(record->rtype, defaults.rtype);
    Set(record->cont, defaults.cont);
    record->lat = record->lon = QBEX_NO_COORD;
    record->log_type = 0;
    record->log_start = record->log_end = qbex_timestamp_make(0);
    if (record->version >= 2) {
        qbex_str_free(&record->bugs);
    }
    if (record->version >= 3) {
        for (qbex_str* field :
             {&record->custom1, &record->custom2, &record->custom3, &record->find_rat}) {
            qbex_str_free(field);
        }
    }
}

int32_t CFakeHost::AddRecord(const QBEX_RECORD* r) {
    CFakeHost& host = *s_host;
    ++host.addCalls;
    if (host.refuseAfter >= 0 && int(host.added.size()) >= host.refuseAfter) {
        return 0;
    }
    CHostRecord h;
    h.flags = r->flags;
    h.name = Get(r->name);
    h.rtype = Get(r->rtype);
    h.wpt = Get(r->wpt);
    h.diff = Get(r->diff);
    h.terr = Get(r->terr);
    h.owner = Get(r->owner);
    h.cont = Get(r->cont);
    h.descr = Get(r->descr);
    h.hints = Get(r->hints);
    h.past_log = Get(r->past_log);
    h.url = Get(r->url);
    h.img_urls = Get(r->img_urls);
    h.lat = r->lat;
    h.lon = r->lon;
    h.log_type = r->log_type;
    h.log_start = qbex_timestamp_get(r->log_start);
    h.log_end = qbex_timestamp_get(r->log_end);
    h.log_notes = Get(r->log_notes);
    if (r->version >= 2) {
        h.bugs = Get(r->bugs);
    }
    if (r->version >= 3) {
        h.custom1 = Get(r->custom1);
        h.custom2 = Get(r->custom2);
        h.custom3 = Get(r->custom3);
        h.find_rat = Get(r->find_rat);
    }
    // Like the host merging by waypoint ID: a waypoint ID seen before is a merge.
    const bool seen =
        std::any_of(host.added.begin(), host.added.end(),
                    [&h](const CHostRecord& earlier) { return earlier.wpt == h.wpt; });
    host.added.push_back(h);
    return seen ? QBEX_MERGED : QBEX_ADDED;
}

int32_t CFakeHost::GetRecord(QBEX_RECORD* r) {
    CFakeHost& host = *s_host;
    if (host.m_cursor >= host.queue.size()) {
        return 0;
    }
    if (host.m_cursor == host.unreadable) {
        ++host.m_cursor;
        return 0;
    }
    const CHostRecord& h = host.queue[host.m_cursor++];
    r->flags = h.flags;
    Set(r->name, h.name);
    Set(r->rtype, h.rtype);
    Set(r->wpt, h.wpt);
    Set(r->diff, h.diff);
    Set(r->terr, h.terr);
    Set(r->owner, h.owner);
    Set(r->cont, h.cont);
    Set(r->descr, h.descr);
    Set(r->hints, h.hints);
    Set(r->past_log, h.past_log);
    Set(r->url, h.url);
    Set(r->img_urls, h.img_urls);
    r->lat = h.lat;
    r->lon = h.lon;
    r->log_type = h.log_type;
    r->log_start = qbex_timestamp_make(h.log_start);
    r->log_end = qbex_timestamp_make(h.log_end);
    Set(r->log_notes, h.log_notes);
    if (r->version >= 2) {
        Set(r->bugs, h.bugs);
    }
    if (r->version >= 3) {
        Set(r->custom1, h.custom1);
        Set(r->custom2, h.custom2);
        Set(r->custom3, h.custom3);
        Set(r->find_rat, h.find_rat);
    }
    return 1;
}

void CFakeHost::ResetRecords() {
    s_host->m_cursor = 0;
}

CPluginLibrary::CPluginLibrary(const char* path) : m_handle(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}

CPluginLibrary::~CPluginLibrary() {
    if (m_handle) {
        dlclose(m_handle);
    }
}

const QBEX_INFO* CPluginLibrary::Info() const {
    return static_cast<const QBEX_INFO*>(dlsym(m_handle, QBEX_INFO_SYMBOL));
}

const QBEX_VERSIONINFO* CPluginLibrary::VersionInfo() const {
    return static_cast<const QBEX_VERSIONINFO*>(dlsym(m_handle, QBEX_VERSIONINFO_SYMBOL));
}

int32_t CPluginLibrary::Invoke(QBEX_INVOKE& invoke) const {
    const auto fn = reinterpret_cast<qbex_invoke_fn>(dlsym(m_handle, QBEX_INVOKE_SYMBOL));
    return fn ? fn(&invoke) : -1;
}
