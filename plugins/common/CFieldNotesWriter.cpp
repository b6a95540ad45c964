#include "CFieldNotesWriter.h"

#include "GeoText.h"

#include <QIODevice>
#include <QStringEncoder>

using namespace qbgeo;

QString CFieldNotesWriter::LogTypeText(int logType) {
    switch (logType) {
    case 1:
        return QStringLiteral("Write note");
    case 2:
        return QStringLiteral("Found it");
    case 3:
        return QStringLiteral("Didn't find it");
    default:
        return QString();
    }
}

bool CFieldNotesWriter::Put(const QString& text) {
    QStringEncoder encoder(QStringEncoder::Utf16LE);
    const QByteArray bytes = encoder.encode(text);
    if (m_out.write(bytes) != bytes.size()) {
        m_error = m_out.errorString();
        return false;
    }
    return true;
}

bool CFieldNotesWriter::Begin() {
    if (m_out.write("\xFF\xFE", 2) != 2) {
        m_error = m_out.errorString();
        return false;
    }
    return true;
}

bool CFieldNotesWriter::Write(const QString& code, const QDateTime& time, int logType,
                              const QString& notes) {
    QString text = NormalizeLineEnds(notes);
    text.replace(u'"', u'\'');
    const QString line =
        code + u',' + time.toUTC().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm'Z'")) + u',' +
        LogTypeText(logType) + QStringLiteral(",\"") + text + QStringLiteral("\"\r\n");
    return Put(line);
}
