#include "PluginTestSupport.h"

#include "CRecordMapper.h"

#include <gtest/gtest.h>

#include <unistd.h>

CStderrCapture::CStderrCapture() {
    std::fflush(stderr);
    m_saved = dup(2);
    m_file = std::tmpfile();
    dup2(fileno(m_file), 2);
}

CStderrCapture::~CStderrCapture() {
    Text();
    std::fclose(m_file);
    close(m_saved);
}

QString CStderrCapture::Text() {
    if (m_saved >= 0 && !m_restored) {
        std::fflush(stderr);
        dup2(m_saved, 2);
        m_restored = true;
        std::rewind(m_file);
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0) {
            m_text.append(buffer, qsizetype(n));
        }
    }
    return QString::fromLocal8Bit(m_text);
}

void SetFiles(const QStringList& files) {
    qputenv("QUARRYBOOK_FILES", files.join(u'\n').toLocal8Bit());
}

CHostRecord Stored(const CGeoRecord& geo) {
    CFakeHost host;
    QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_IMPORT_RECORDS);
    QBEX_RECORD record{};
    record.version = 3;
    invoke.init_record(&record, 0);
    EXPECT_TRUE(CRecordMapper::ToRecord(geo, record));
    invoke.add_record(&record);
    qbex_record_free_strings(&record);
    return host.added.at(0);
}

void ExpectSameHostRecord(const CHostRecord& a, const CHostRecord& e) {
    SCOPED_TRACE(e.wpt.toStdString());
    EXPECT_EQ(a.flags, e.flags);
    EXPECT_EQ(a.name, e.name);
    EXPECT_EQ(a.rtype, e.rtype);
    EXPECT_EQ(a.wpt, e.wpt);
    EXPECT_EQ(a.diff, e.diff);
    EXPECT_EQ(a.terr, e.terr);
    EXPECT_EQ(a.owner, e.owner);
    EXPECT_EQ(a.cont, e.cont);
    EXPECT_EQ(a.descr, e.descr);
    EXPECT_EQ(a.hints, e.hints);
    EXPECT_EQ(a.past_log, e.past_log);
    EXPECT_EQ(a.url, e.url);
    EXPECT_EQ(a.img_urls, e.img_urls);
    EXPECT_EQ(a.lat, e.lat);
    EXPECT_EQ(a.lon, e.lon);
    EXPECT_EQ(a.bugs, e.bugs);
    EXPECT_EQ(a.custom1, e.custom1);
    EXPECT_EQ(a.custom2, e.custom2);
    EXPECT_EQ(a.custom3, e.custom3);
    EXPECT_EQ(a.find_rat, e.find_rat);
}

QStringList CsvFields(const QString& line) {
    QStringList fields(1);
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
            fields.last() += u'"';
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields << QString();
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

const CHostRecord* FindWpt(const std::vector<CHostRecord>& records, const char* wpt) {
    for (const CHostRecord& r : records) {
        if (r.wpt == QString::fromUtf8(wpt)) {
            return &r;
        }
    }
    return nullptr;
}
