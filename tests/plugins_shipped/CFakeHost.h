#pragma once

#include <qbex.h>

#include <QString>

#include <vector>

// A record as the host keeps it, copied field by field out of a plug-in's QBEX_RECORD.
struct CHostRecord {
    virtual ~CHostRecord() = default;

    uint32_t flags = 0;
    QString name, rtype = QStringLiteral("Waypoint"), wpt, diff, terr, owner,
                  cont = QStringLiteral("Not chosen"), descr, hints, past_log, url, img_urls;
    double lat = 200.0, lon = 200.0;
    int32_t log_type = 0;
    uint64_t log_start = 0, log_end = 0;
    QString log_notes, bugs, custom1, custom2, custom3, find_rat;
};

// A stand-in for the program during one plug-in invocation: its callbacks store what the plug-in
// adds and serve a queue of records, as the program's plug-in manager does. One at a time.
class CFakeHost {
public:
    CFakeHost();
    ~CFakeHost();

    QBEX_INVOKE Invoke(int role);

    std::vector<CHostRecord> queue; // served by get_record, in order
    std::vector<CHostRecord> added; // stored by add_record
    int refuseAfter = -1;           // add_record fails once this many records were added
    size_t unreadable = size_t(-1); // index of a queued record get_record cannot read
    int addCalls = 0;

private:
    static void InitRecord(QBEX_RECORD* record, int32_t newId);
    static int32_t AddRecord(const QBEX_RECORD* record);
    static int32_t GetRecord(QBEX_RECORD* record);
    static void ResetRecords();

    std::u16string m_folder = u"/tmp/";
    size_t m_cursor = 0;
};

// A shipped plug-in library, loaded for a test and unloaded afterwards.
class CPluginLibrary {
public:
    explicit CPluginLibrary(const char* path);
    ~CPluginLibrary();

    bool Loaded() const { return m_handle != nullptr; }
    const QBEX_INFO* Info() const;
    const QBEX_VERSIONINFO* VersionInfo() const;
    int32_t Invoke(QBEX_INVOKE& invoke) const;

private:
    void* m_handle = nullptr;
};
