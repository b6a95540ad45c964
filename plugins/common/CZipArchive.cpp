#include "CZipArchive.h"

#include "CZipEntryDevice.h"
#include "GeoText.h"

#include <QFile>
#include <QStringDecoder>

#include <zlib.h>

#include <algorithm>

using namespace qbgeo;

namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kEnd64Signature = 0x06064b50;
constexpr quint32 kEnd64LocatorSignature = 0x07064b50;
constexpr quint32 kCentralSignature = 0x02014b50;
constexpr quint32 kLocalSignature = 0x04034b50;
constexpr qint64 kMaxDirectory = 256 * 1024 * 1024;

quint16 U16(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return quint16(b[0] | (b[1] << 8));
}

quint32 U32(const char* p) {
    return quint32(U16(p)) | (quint32(U16(p + 2)) << 16);
}

quint64 U64(const char* p) {
    return quint64(U32(p)) | (quint64(U32(p + 4)) << 32);
}

QString DecodeName(const QByteArray& raw, quint16 flags, const QByteArray& unicodeExtra) {
    if (flags & 0x0800) {
        return QString::fromUtf8(raw);
    }
    // The Info-ZIP Unicode path field: version 1, CRC-32 of the plain name, the name in UTF-8.
    if (unicodeExtra.size() > 5 && unicodeExtra[0] == 1 &&
        U32(unicodeExtra.constData() + 1) ==
            quint32(crc32(0, reinterpret_cast<const Bytef*>(raw.constData()), uInt(raw.size())))) {
        return QString::fromUtf8(unicodeExtra.mid(5));
    }
    // Unflagged names: some programs write UTF-8 without saying so; a name that is valid UTF-8
    // with non-ASCII bytes is taken as such, everything else as the DOS code page 437.
    const bool ascii = std::all_of(raw.begin(), raw.end(), [](char c) { return uchar(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString name = utf8.decode(raw);
        if (!utf8.hasError()) {
            return name;
        }
    }
    QString name;
    name.reserve(raw.size());
    for (const char c : raw) {
        name += QChar(Cp437Char(uchar(c)));
    }
    return name;
}

} // namespace

bool CZipArchive::LooksLikeZip(const QByteArray& head) {
    return head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06");
}

bool CZipArchive::Fail(const QString& message) {
    m_error = QStringLiteral("%1: %2").arg(m_path, message);
    return false;
}

bool CZipArchive::Open(const QString& path) {
    m_path = path;
    m_entries.clear();
    m_error.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Fail(file.errorString());
    }
    m_fileSize = quint64(file.size());
    if (m_fileSize < 22) {
        return Fail(QStringLiteral("not a zip file"));
    }
    const qint64 tailSize = qint64(std::min<quint64>(m_fileSize, 65535 + 22));
    const qint64 tailStart = qint64(m_fileSize) - tailSize;
    file.seek(tailStart);
    const QByteArray tail = file.read(tailSize);
    if (tail.size() != tailSize) {
        return Fail(file.errorString());
    }
    qint64 end = -1;
    for (qint64 i = tailSize - 22; i >= 0; --i) {
        if (U32(tail.constData() + i) == kEndSignature &&
            i + 22 + U16(tail.constData() + i + 20) <= tailSize) {
            end = i;
            break;
        }
    }
    if (end < 0) {
        return Fail(QStringLiteral("not a zip file, or the end of the file is missing"));
    }
    const char* e = tail.constData() + end;
    quint64 count = U16(e + 10);
    quint64 directorySize = U32(e + 12);
    quint64 directoryOffset = U32(e + 16);
    if (U16(e + 4) != 0 && U16(e + 4) != 0xFFFF) {
        return Fail(QStringLiteral("archives split into several files are not supported"));
    }
    if (count == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF) {
        if (end < 20 || U32(e - 20) != kEnd64LocatorSignature) {
            return Fail(QStringLiteral("the Zip64 directory locator is missing"));
        }
        const quint64 end64Offset = U64(e - 20 + 8);
        QByteArray end64;
        if (end64Offset + 56 <= m_fileSize && file.seek(qint64(end64Offset))) {
            end64 = file.read(56);
        }
        if (end64.size() != 56 || U32(end64.constData()) != kEnd64Signature) {
            return Fail(QStringLiteral("the Zip64 directory end record is damaged"));
        }
        count = U64(end64.constData() + 32);
        directorySize = U64(end64.constData() + 40);
        directoryOffset = U64(end64.constData() + 48);
    }
    if (directoryOffset > m_fileSize || directorySize > m_fileSize - directoryOffset ||
        directorySize > quint64(kMaxDirectory)) {
        return Fail(QStringLiteral("the central directory is damaged"));
    }
    QByteArray directory;
    if (file.seek(qint64(directoryOffset))) {
        directory = file.read(qint64(directorySize));
    }
    if (quint64(directory.size()) != directorySize) {
        return Fail(QStringLiteral("the central directory cannot be read"));
    }
    return ReadDirectory(directory, count);
}

bool CZipArchive::ReadDirectory(const QByteArray& directory, quint64 count) {
    const char* p = directory.constData();
    const qint64 size = directory.size();
    qint64 at = 0;
    for (quint64 n = 0; n < count; ++n) {
        if (at + 46 > size || U32(p + at) != kCentralSignature) {
            return Fail(QStringLiteral("the central directory is damaged"));
        }
        const char* h = p + at;
        CZipEntry entry;
        entry.flags = U16(h + 8);
        entry.method = U16(h + 10);
        entry.crc = U32(h + 16);
        entry.compressedSize = U32(h + 20);
        entry.size = U32(h + 24);
        const quint16 nameLength = U16(h + 28);
        const quint16 extraLength = U16(h + 30);
        const quint16 commentLength = U16(h + 32);
        entry.localOffset = U32(h + 42);
        if (at + 46 + nameLength + extraLength + commentLength > size) {
            return Fail(QStringLiteral("the central directory is damaged"));
        }
        const QByteArray rawName(h + 46, nameLength);
        QByteArray unicodeExtra;
        const char* extra = h + 46 + nameLength;
        for (int x = 0; x + 4 <= extraLength;) {
            const quint16 id = U16(extra + x);
            const quint16 length = U16(extra + x + 2);
            if (x + 4 + length > extraLength) {
                break;
            }
            const char* field = extra + x + 4;
            if (id == 0x0001) { // Zip64: the 64-bit values of the fields that hold all ones
                int f = 0;
                for (quint64* value : {&entry.size, &entry.compressedSize, &entry.localOffset}) {
                    if (*value == 0xFFFFFFFF && f + 8 <= length) {
                        *value = U64(field + f);
                        f += 8;
                    }
                }
            } else if (id == 0x7075) {
                unicodeExtra = QByteArray(field, length);
            }
            x += 4 + length;
        }
        entry.name = DecodeName(rawName, entry.flags, unicodeExtra);
        m_entries.push_back(std::move(entry));
        at += 46 + nameLength + extraLength + commentLength;
    }
    return true;
}

std::unique_ptr<CZipEntryDevice> CZipArchive::OpenEntry(size_t index) {
    m_error.clear();
    if (index >= m_entries.size()) {
        Fail(QStringLiteral("no such member"));
        return nullptr;
    }
    const CZipEntry& entry = m_entries[index];
    const QString member = QStringLiteral("%1/%2").arg(m_path, entry.name);
    if (entry.flags & 0x0001) {
        m_error = QStringLiteral("%1: encrypted members cannot be read").arg(member);
        return nullptr;
    }
    if (entry.method != 0 && entry.method != 8) {
        m_error = QStringLiteral("%1: compression method %2 is not supported")
                      .arg(member)
                      .arg(entry.method);
        return nullptr;
    }
    QFile file(m_path);
    QByteArray local;
    if (file.open(QIODevice::ReadOnly) && file.seek(qint64(entry.localOffset))) {
        local = file.read(30);
    }
    if (local.size() != 30 || U32(local.constData()) != kLocalSignature) {
        m_error = QStringLiteral("%1: the member's header is damaged").arg(member);
        return nullptr;
    }
    const quint64 dataOffset =
        entry.localOffset + 30 + U16(local.constData() + 26) + U16(local.constData() + 28);
    if (dataOffset > m_fileSize || entry.compressedSize > m_fileSize - dataOffset) {
        m_error = QStringLiteral("%1: the member's data is cut off").arg(member);
        return nullptr;
    }
    auto device = std::make_unique<CZipEntryDevice>(m_path, entry, dataOffset);
    if (!device->Start()) {
        m_error = QStringLiteral("%1: %2").arg(member, device->errorString());
        return nullptr;
    }
    return device;
}
