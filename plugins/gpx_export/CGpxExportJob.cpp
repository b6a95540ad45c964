#include "CGpxExportJob.h"

#include "CGpxWriter.h"
#include "CRecordMapper.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

QString HomeFolder(const QBEX_INVOKE& invoke) {
    return invoke.app_folder ? QString::fromUtf16(invoke.app_folder) : QString();
}

} // namespace

CGpxExportJob::CGpxExportJob(const QBEX_INVOKE& invoke)
    : m_invoke(invoke), m_ui(QStringLiteral("GPX Export"), HomeFolder(invoke)) {
    m_record.version = 3;
}

CGpxExportJob::~CGpxExportJob() {
    qbex_record_free_strings(&m_record);
}

// A single record is offered under its waypoint ID, a set under a general name.
QString CGpxExportJob::DefaultName() {
    QString name = QStringLiteral("quarrybook.gpx");
    if (m_invoke.role == QBEX_ROLE_EXPORT_RECORD && m_invoke.record_count == 1 &&
        m_invoke.get_record(&m_record)) {
        QString code = CRecordMapper::Get(m_record.wpt);
        code.remove(QChar(u'/'));
        if (!code.isEmpty()) {
            name = code + QStringLiteral(".gpx");
        }
    }
    m_invoke.reset_records();
    return name;
}

int CGpxExportJob::Run() {
    const QString path = m_ui.ExportFile(QStringLiteral("Export GPX File"), DefaultName(),
                                         QStringLiteral("GPX files (*.gpx);;All files (*)"));
    return path.isEmpty() ? 0 : Export(path);
}

int CGpxExportJob::Export(const QString& path) {
    const QString fileName = QFileInfo(path).fileName();
    QSaveFile file(path);
    if (!m_ui.OpenForWriting(file)) {
        return 0;
    }
    CGpxWriter writer(file);
    bool ok = writer.Begin();
    int written = 0;
    int unreadable = 0;
    int withoutPosition = 0;
    bool cancelled = false;
    const int count = std::max(m_invoke.record_count, 0);
    m_ui.BeginProgress(QStringLiteral("Exporting records..."), count);
    m_invoke.reset_records();
    for (int i = 0; i < count && ok; ++i) {
        if (!m_ui.Step(i)) {
            cancelled = true;
            break;
        }
        // A queued record deleted meanwhile fails alone; the records after it still come.
        if (!m_invoke.get_record(&m_record)) {
            ++unreadable;
            continue;
        }
        const CGeoRecord record = CRecordMapper::FromRecord(m_record);
        if (!record.HasCoordinates()) {
            ++withoutPosition;
            continue;
        }
        ok = writer.Write(record);
        written += ok ? 1 : 0;
    }
    m_ui.EndProgress();
    ok = ok && writer.End();
    if (cancelled) {
        file.cancelWriting();
        m_ui.Report(QStringLiteral("The export was cancelled; %1 was not written.").arg(fileName),
                    false);
        return 0;
    }
    if (!ok || !file.commit()) {
        const QString why =
            writer.ErrorString().isEmpty() ? file.errorString() : writer.ErrorString();
        file.cancelWriting();
        m_ui.Report(QStringLiteral("%1 cannot be written: %2").arg(fileName, why), true);
        return 0;
    }
    QStringList lines;
    lines << QStringLiteral("%1 records written to %2.").arg(written).arg(fileName);
    if (unreadable > 0) {
        lines << QStringLiteral("%1 records could not be read from the database.").arg(unreadable);
    }
    if (withoutPosition > 0) {
        lines
            << QStringLiteral("%1 records without coordinates were left out.").arg(withoutPosition);
    }
    m_ui.Report(lines.join(u'\n'), unreadable > 0);
    return written;
}
