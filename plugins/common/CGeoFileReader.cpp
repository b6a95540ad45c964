#include "CGeoFileReader.h"

#include "CGpxReader.h"
#include "CLocReader.h"
#include "CZipArchive.h"
#include "CZipEntryDevice.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// The name of the root element from the first bytes of an XML file; empty when none is seen.
QByteArray RootElement(const QByteArray& head) {
    qsizetype i = 0;
    while ((i = head.indexOf('<', i)) >= 0 && i + 1 < head.size()) {
        const char next = head[i + 1];
        if (next == '?' || next == '!') {
            const qsizetype end =
                head.indexOf(next == '!' && head.mid(i, 4) == "<!--" ? "-->" : ">", i);
            if (end < 0) {
                return QByteArray();
            }
            i = end + 1;
            continue;
        }
        qsizetype end = i + 1;
        while (end < head.size() && head[end] != ' ' && head[end] != '>' && head[end] != '/' &&
               head[end] != '\t' && head[end] != '\r' && head[end] != '\n') {
            ++end;
        }
        QByteArray name = head.mid(i + 1, end - i - 1);
        const qsizetype colon = name.indexOf(':');
        return colon >= 0 ? name.mid(colon + 1) : name;
    }
    return QByteArray();
}

bool IsWaypointFile(const QString& name) {
    return name.endsWith(u".gpx", Qt::CaseInsensitive) ||
           name.endsWith(u".loc", Qt::CaseInsensitive);
}

bool IsCompanionFile(const QString& name) {
    return name.endsWith(u"-wpts.gpx", Qt::CaseInsensitive);
}

} // namespace

bool CGeoFileReader::Read(const QString& path, const Sink& sink, const Progress& progress) {
    m_sink = &sink;
    m_progress = &progress;
    const QString displayName = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errors << QStringLiteral("%1: %2").arg(displayName, file.errorString());
        return false;
    }
    const quint64 total = quint64(std::max<qint64>(file.size(), 0));
    const QByteArray head = file.peek(4096);
    if (CZipArchive::LooksLikeZip(head)) {
        file.close();
        return ReadZip(path, displayName, total);
    }
    const EFormat format = RootElement(head) == "loc" ? EFormat::Loc : EFormat::Gpx;
    return ReadStream(
        file, format, displayName, [&file] { return quint64(file.pos()); }, total);
}

bool CGeoFileReader::ReadZip(const QString& path, const QString& displayName, quint64 total) {
    CZipArchive zip;
    if (!zip.Open(path)) {
        m_errors << zip.ErrorString().replace(path, displayName);
        return false;
    }
    std::vector<size_t> members;
    for (size_t i = 0; i < zip.Entries().size(); ++i) {
        const CZipEntry& entry = zip.Entries()[i];
        if (!entry.IsDirectory() && IsWaypointFile(entry.name)) {
            members.push_back(i);
        }
    }
    if (members.empty()) {
        m_errors << QStringLiteral("%1 contains no GPX or LOC file.").arg(displayName);
        return false;
    }
    // Caches before the files of their additional waypoints.
    std::stable_sort(members.begin(), members.end(), [&zip](size_t a, size_t b) {
        return !IsCompanionFile(zip.Entries()[a].name) && IsCompanionFile(zip.Entries()[b].name);
    });
    bool ok = true;
    quint64 before = 0;
    for (const size_t index : members) {
        const CZipEntry& entry = zip.Entries()[index];
        const QString memberName = displayName + u'/' + entry.name;
        std::unique_ptr<CZipEntryDevice> device = zip.OpenEntry(index);
        if (!device) {
            m_errors << zip.ErrorString().replace(path, displayName);
            ok = false;
            before += entry.compressedSize;
            continue;
        }
        const EFormat format =
            entry.name.endsWith(u".loc", Qt::CaseInsensitive) ? EFormat::Loc : EFormat::Gpx;
        CZipEntryDevice* member = device.get();
        ok = ReadStream(
                 *device, format, memberName,
                 [member, before] { return before + member->ConsumedBytes(); }, total) &&
             ok;
        before += entry.compressedSize;
        if (m_cancelled) {
            return false;
        }
    }
    return ok;
}

bool CGeoFileReader::ReadStream(QIODevice& input, EFormat format, const QString& displayName,
                                const std::function<quint64()>& position, quint64 total) {
    const Sink sink = [this, &position, total](CGeoRecord& record) {
        if (*m_progress && !(*m_progress)(std::min(position(), total), total)) {
            m_cancelled = true;
            return false;
        }
        return (*m_sink)(record) || (m_cancelled = true, false);
    };
    bool ok = false;
    bool cancelled = false;
    QString error;
    int caches = 0;
    int children = 0;
    int waypoints = 0;
    int dropped = 0;
    if (format == EFormat::Loc) {
        CLocReader reader;
        ok = reader.Read(input, displayName, sink);
        error = reader.ErrorString();
        cancelled = reader.Cancelled();
        caches = reader.Caches();
        waypoints = reader.Waypoints();
        dropped = reader.DroppedCharacters();
    } else {
        CGpxReader reader;
        ok = reader.Read(input, displayName, sink);
        error = reader.ErrorString();
        cancelled = reader.Cancelled();
        caches = reader.Caches();
        children = reader.Children();
        waypoints = reader.Waypoints();
        dropped = reader.DroppedCharacters();
    }
    m_caches += caches;
    m_children += children;
    m_waypoints += waypoints;
    if (cancelled) {
        m_cancelled = true;
        return false;
    }
    if (!ok) {
        m_errors << error;
    }
    if (dropped > 0) {
        m_notices << QStringLiteral("%1: %2 characters that XML does not allow were left out.")
                         .arg(displayName)
                         .arg(dropped);
    }
    if (ok && caches + children == 0) {
        m_notices << (waypoints > 0
                          ? QStringLiteral("%1 holds no cache data: %2 waypoints were read as "
                                           "records of type \"Waypoint\".")
                                .arg(displayName)
                                .arg(waypoints)
                          : QStringLiteral("%1 holds no waypoints.").arg(displayName));
    }
    if (*m_progress) {
        (*m_progress)(std::min(position(), total), total);
    }
    return ok;
}
