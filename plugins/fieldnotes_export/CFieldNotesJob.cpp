#include "CFieldNotesJob.h"

#include "CFieldNotesWriter.h"
#include "CRecordMapper.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTimeZone>

namespace {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr uint64_t kUnixEpoch = 116444736000000000ULL;

QString HomeFolder(const QBEX_INVOKE& invoke) {
    return invoke.app_folder ? QString::fromUtf16(invoke.app_folder) : QString();
}

} // namespace

CFieldNotesJob::CFieldNotesJob(const QBEX_INVOKE& invoke)
    : m_invoke(invoke), m_ui(QStringLiteral("Field Notes Export"), HomeFolder(invoke)) {
    m_record.version = 3;
}

CFieldNotesJob::~CFieldNotesJob() {
    qbex_record_free_strings(&m_record);
}

QDateTime CFieldNotesJob::TimeOf(uint64_t timestamp) {
    if (timestamp == 0) {
        return QDateTime();
    }
    const qint64 ms = (qint64(timestamp) - qint64(kUnixEpoch)) / 10000;
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
}

int CFieldNotesJob::Run() {
    const QString path =
        m_ui.ExportFile(QStringLiteral("Export Field Notes"), QStringLiteral("geocache_visits.txt"),
                        QStringLiteral("Field notes (*.txt);;All files (*)"));
    return path.isEmpty() ? 0 : Export(path);
}

int CFieldNotesJob::Export(const QString& path) {
    const QString fileName = QFileInfo(path).fileName();
    QSaveFile file(path);
    if (!m_ui.OpenForWriting(file)) {
        return 0;
    }
    CFieldNotesWriter writer(file);
    bool ok = writer.Begin();
    int written = 0;
    int withoutTime = 0;
    int unreadable = 0;
    const int count = std::max(m_invoke.record_count, 0);
    m_invoke.reset_records();
    for (int i = 0; i < count && ok; ++i) {
        if (!m_invoke.get_record(&m_record)) {
            ++unreadable;
            continue;
        }
        const int logType = m_record.log_type;
        if (logType < 1 || logType > 3) {
            continue;
        }
        const uint64_t end = qbex_timestamp_get(m_record.log_end);
        const QDateTime time = TimeOf(end != 0 ? end : qbex_timestamp_get(m_record.log_start));
        if (!time.isValid()) {
            ++withoutTime;
            continue;
        }
        ok = writer.Write(CRecordMapper::Get(m_record.wpt), time, logType,
                          CRecordMapper::Get(m_record.log_notes));
        written += ok ? 1 : 0;
    }
    if (!ok || written == 0 || !file.commit()) {
        const QString why = !ok ? writer.ErrorString() : file.errorString();
        file.cancelWriting();
        if (!ok || written > 0) {
            m_ui.Report(QStringLiteral("%1 cannot be written: %2").arg(fileName, why), true);
            return 0;
        }
        QString text =
            QStringLiteral("None of the records has a log to export; %1 was not written.")
                .arg(fileName);
        if (withoutTime > 0) {
            text += QStringLiteral("\n%1 logs without a start or end time were left out.")
                        .arg(withoutTime);
        }
        m_ui.Report(text, true);
        return 0;
    }
    QStringList lines;
    lines << QStringLiteral("%1 logs written to %2.").arg(written).arg(fileName);
    if (withoutTime > 0) {
        lines << QStringLiteral("%1 logs without a start or end time were left out.")
                     .arg(withoutTime);
    }
    if (unreadable > 0) {
        lines << QStringLiteral("%1 records could not be read from the database.").arg(unreadable);
    }
    m_ui.Report(lines.join(u'\n'), withoutTime > 0 || unreadable > 0);
    return written;
}
