#include "CGpxImportJob.h"

#include "CFileReadThread.h"
#include "CRecordMapper.h"

namespace {

// After this many failed records in a row the database is taken as refusing records altogether,
// and reading on would only count more of them; the host has told the user of the first.
constexpr int kMaxFailedInRow = 5;
// Batches of waypoints read ahead of the database (each CFileReadThread::kBatchSize waypoints).
constexpr size_t kQueuedBatches = 8;
// How often the progress is shown and Cancel is looked at while the reading thread is busy.
constexpr int kProgressPollMs = 50;

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

bool CGpxImportJob::Store(const CMappedRecord& mapped) {
    ++m_read;
    m_invoke.init_record(&m_record, 0);
    const int32_t result =
        CRecordMapper::Apply(mapped, m_record) ? m_invoke.add_record(&m_record) : 0;
    if (result != 0) {
        ++(result == QBEX_MERGED ? m_merged : m_added);
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
    CImportQueue queue(kQueuedBatches);
    CFileReadThread reader(files, queue);
    m_ui.BeginProgress(QStringLiteral("Importing records..."), reader.TotalBytes());
    reader.Start();
    // The records are stored here, on the thread the host called us on, while the reading
    // thread reads ahead.
    bool stopped = false;
    CImportQueue::Batch batch;
    for (;;) {
        const CImportQueue::EPop popped = queue.Pop(batch, kProgressPollMs);
        if (popped == CImportQueue::EPop::Ended) {
            break;
        }
        for (const CMappedRecord& record : batch) {
            // Once the database refuses records, what is still queued is dropped.
            if (!m_refused && !Store(record)) {
                queue.Stop();
            }
        }
        batch.clear();
        if (!stopped && !m_refused && !m_ui.Step(reader.BytesDone())) {
            // Cancelled: the records read until now are still stored.
            stopped = true;
            queue.Stop();
        }
    }
    reader.Join();
    m_errors << reader.Errors();
    m_notices << reader.Notices();
    m_cancelled = reader.Stopped() && !m_refused;
    m_ui.EndProgress();
    return m_added + m_merged;
}

QString CGpxImportJob::Summary() const {
    QStringList lines;
    lines << QStringLiteral("Records read: %1").arg(m_read);
    lines << QStringLiteral("Records added: %1").arg(m_added);
    lines << QStringLiteral("Records merged: %1").arg(m_merged);
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
