#include "CZipEntryDevice.h"

#include <algorithm>

namespace {
constexpr qint64 kInputChunk = 64 * 1024;
}

CZipEntryDevice::CZipEntryDevice(const QString& archivePath, const CZipEntry& entry,
                                 quint64 dataOffset)
    : m_file(archivePath), m_entry(entry), m_dataOffset(dataOffset) {}

CZipEntryDevice::~CZipEntryDevice() {
    if (m_zipReady) {
        inflateEnd(&m_zip);
    }
}

bool CZipEntryDevice::Start() {
    if (!m_file.open(QIODevice::ReadOnly) || !m_file.seek(qint64(m_dataOffset))) {
        setErrorString(m_file.errorString());
        return false;
    }
    if (m_entry.method == 8) {
        if (inflateInit2(&m_zip, -MAX_WBITS) != Z_OK) {
            setErrorString(QStringLiteral("out of memory"));
            return false;
        }
        m_zipReady = true;
        m_input.resize(size_t(kInputChunk));
    }
    m_crc = quint32(crc32(0, nullptr, 0));
    return open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 CZipEntryDevice::Failed(const QString& message) {
    m_failed = true;
    setErrorString(message);
    return -1;
}

// At the end of the member: the data must have the size and checksum the directory gives.
qint64 CZipEntryDevice::Finish() {
    m_finished = true;
    if (m_produced != m_entry.size) {
        return Failed(QStringLiteral("the member is damaged (size %1 instead of %2)")
                          .arg(m_produced)
                          .arg(m_entry.size));
    }
    if (m_crc != m_entry.crc) {
        return Failed(QStringLiteral("the member is damaged (checksum mismatch)"));
    }
    return 0;
}

bool CZipEntryDevice::Refill() {
    const qint64 want =
        qint64(std::min<quint64>(quint64(kInputChunk), m_entry.compressedSize - m_consumed));
    const qint64 got = m_file.read(m_input.data(), want);
    if (got <= 0) {
        return false;
    }
    m_consumed += quint64(got);
    m_zip.next_in = reinterpret_cast<Bytef*>(m_input.data());
    m_zip.avail_in = uInt(got);
    return true;
}

qint64 CZipEntryDevice::readData(char* data, qint64 maxSize) {
    if (m_failed) {
        return -1;
    }
    if (m_finished || maxSize <= 0) {
        return 0;
    }
    maxSize = std::min<qint64>(maxSize, 1 << 30);
    if (m_entry.method == 0) {
        const qint64 want =
            qint64(std::min<quint64>(quint64(maxSize), m_entry.compressedSize - m_consumed));
        if (want == 0) {
            m_produced = m_consumed;
            return Finish();
        }
        const qint64 got = m_file.read(data, want);
        if (got <= 0) {
            return Failed(QStringLiteral("the member's data is cut off"));
        }
        m_consumed += quint64(got);
        m_produced = m_consumed;
        m_crc = quint32(crc32(m_crc, reinterpret_cast<const Bytef*>(data), uInt(got)));
        return got;
    }
    m_zip.next_out = reinterpret_cast<Bytef*>(data);
    m_zip.avail_out = uInt(maxSize);
    for (;;) {
        if (m_zip.avail_in == 0 && m_consumed < m_entry.compressedSize && !Refill()) {
            return Failed(QStringLiteral("the member's data is cut off"));
        }
        const uInt before = m_zip.avail_out;
        const int status = inflate(&m_zip, Z_NO_FLUSH);
        const qint64 produced = qint64(before - m_zip.avail_out);
        if (produced > 0) {
            m_crc = quint32(crc32(m_crc, reinterpret_cast<const Bytef*>(m_zip.next_out) - produced,
                                  uInt(produced)));
            m_produced += quint64(produced);
            if (m_produced > m_entry.size) {
                return Failed(QStringLiteral("the member is damaged (more data than announced)"));
            }
        }
        if (status == Z_STREAM_END) {
            // The last data is handed over even when the check fails; the failure comes with
            // the next read.
            const bool good = Finish() == 0;
            return produced > 0 ? produced : (good ? 0 : -1);
        }
        if (status != Z_OK && status != Z_BUF_ERROR) {
            return Failed(QStringLiteral("the member is damaged (%1)")
                              .arg(QString::fromLatin1(m_zip.msg ? m_zip.msg : "inflate error")));
        }
        if (produced > 0) {
            return produced;
        }
        if (m_zip.avail_in == 0 && m_consumed >= m_entry.compressedSize) {
            return Failed(QStringLiteral("the member's data is cut off"));
        }
    }
}
