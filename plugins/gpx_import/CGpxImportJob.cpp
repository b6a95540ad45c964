#include "CGpxImportJob.h"

#include "CChildLinker.h"
#include "CGeoFileReader.h"
#include "CRecordMapper.h"

#include <QFileInfo>

namespace {

// After this many failed records in a row the database is taken as refusing records altogether;
// the host has shown a message for each, and going on would only repeat it.
constexpr int kMaxFailedInRow = 5;

QString HomeFolder(const QBEX_INVOKE& invoke) {
    return invoke.app_folder ? QString::fromUtf16(invoke.app_folder) : QString();
}

} // namespace

CGpxImportJob::CGpxImportJob(const QBEX_INVOKE& invoke)
    : m_invoke(invoke), m_ui(QStringLiteral("GPX Import"), HomeFolder(invoke)) {
    m_record.version = 3;
}

CGpxImportJob::~CGpxImportJob() {
    qbex_record_free_strings(&m_record);
}

int CGpxImportJob::Run() {
    const QStringList files =
        m_ui.OpenFiles(QStringLiteral("Import GPX Files"),
                       QStringLiteral("Geocache files (*.gpx *.loc *.zip);;All files (*)"));
    if (files.isEmpty()) {
        if (!CPluginUi::Interactive()) {
            m_ui.Report(QStringLiteral("No files given (QUARRYBOOK_FILES is empty)."), true);
        }
        return 0;
    }
    const int stored = Import(files);
    m_ui.Report(Summary(), !m_errors.isEmpty() || m_failed > 0 || m_refused);
    return stored;
}

bool CGpxImportJob::Store(CGeoRecord& geo) {
    ++m_read;
    m_invoke.init_record(&m_record, 0);
    if (CRecordMapper::ToRecord(geo, m_record) && m_invoke.add_record(&m_record)) {
        ++m_stored;
        m_failedInRow = 0;
        return true;
    }
    ++m_failed;
    if (++m_failedInRow >= kMaxFailedInRow) {
        m_refused = true;
        return false;
    }
    return true;
}

int CGpxImportJob::Import(const QStringList& files) {
    qint64 total = 0;
    for (const QString& file : files) {
        total += std::max<qint64>(QFileInfo(file).size(), 0);
    }
    m_ui.BeginProgress(QStringLiteral("Importing records..."), total);
    qint64 before = 0;
    for (const QString& file : files) {
        CGeoFileReader reader;
        CChildLinker linker([this](CGeoRecord& record) { return Store(record); });
        const auto progress = [this, before](quint64 done, quint64) {
            return m_ui.Step(before + qint64(done));
        };
        reader.Read(
            file, [&linker](CGeoRecord& record) { return linker.Add(record); }, progress);
        // The cache held back for its waypoints was read whole before any stop: it is stored.
        if (!m_refused) {
            linker.Flush();
        }
        m_errors << reader.Errors();
        m_notices << reader.Notices();
        before += std::max<qint64>(QFileInfo(file).size(), 0);
        if (reader.Cancelled()) {
            m_cancelled = !m_refused;
            break;
        }
    }
    m_ui.EndProgress();
    return m_stored;
}

QString CGpxImportJob::Summary() const {
    QStringList lines;
    lines << QStringLiteral("Records read: %1").arg(m_read);
    lines << QStringLiteral("Records stored (added or merged): %1").arg(m_stored);
    if (m_failed > 0) {
        lines << QStringLiteral("Records not stored: %1").arg(m_failed);
    }
    if (m_refused) {
        lines << QStringLiteral("The import was stopped because the database refused %1 records "
                                "in a row.")
                     .arg(kMaxFailedInRow);
    }
    if (m_cancelled) {
        lines << QStringLiteral(
            "The import was cancelled; the records read until then were stored.");
    }
    if (!m_errors.isEmpty() || !m_notices.isEmpty()) {
        lines << QString();
        lines << m_errors;
        lines << m_notices;
    }
    return lines.join(u'\n');
}
