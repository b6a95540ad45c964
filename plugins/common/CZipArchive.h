#pragma once

#include <QString>

#include <memory>
#include <vector>

class CZipEntryDevice;

// One member of a zip archive as its central directory describes it.
struct CZipEntry {
    virtual ~CZipEntry() = default;

    QString name; // decoded: UTF-8 when flagged or given, otherwise code page 437
    quint64 compressedSize = 0;
    quint64 size = 0;
    quint64 localOffset = 0;
    quint32 crc = 0;
    quint16 method = 0; // 0 stored, 8 deflated
    quint16 flags = 0;

    bool IsDirectory() const { return name.endsWith(u'/'); }
};

// Reads the table of contents of a zip archive (central directory, Zip64 included) and opens its
// members as streams that inflate while they are read, so that a member is never held in memory
// whole. Members may be stored or deflated; encrypted members, other methods and split archives
// are refused with a message.
class CZipArchive {
public:
    bool Open(const QString& path);

    const std::vector<CZipEntry>& Entries() const { return m_entries; }

    // A stream of member `index`, opened for reading; checks size and CRC-32 at its end. Null on
    // failure (ErrorString).
    std::unique_ptr<CZipEntryDevice> OpenEntry(size_t index);

    QString ErrorString() const { return m_error; }

    // True when the first bytes of a file are those of a zip archive.
    static bool LooksLikeZip(const QByteArray& head);

private:
    bool Fail(const QString& message);
    bool ReadDirectory(const QByteArray& directory, quint64 count);

    QString m_path;
    quint64 m_fileSize = 0;
    std::vector<CZipEntry> m_entries;
    QString m_error;
};
