#pragma once

#include "CZipArchive.h"

#include <QFile>
#include <QIODevice>

#include <zlib.h>

#include <vector>

// A read-only stream of one zip member: stored bytes are passed through, deflated ones inflated
// piece by piece. The size and CRC-32 are checked when the end is reached; damage, truncation or a
// mismatch makes the read fail with a message (errorString).
class CZipEntryDevice : public QIODevice {
public:
    CZipEntryDevice(const QString& archivePath, const CZipEntry& entry, quint64 dataOffset);
    ~CZipEntryDevice() override;

    // Opens the archive and positions at the member's data. False with errorString on failure.
    bool Start();

    bool isSequential() const override { return true; }

    // Compressed bytes read from the archive so far (for progress).
    quint64 ConsumedBytes() const { return m_consumed; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 Failed(const QString& message);
    qint64 Finish();
    bool Refill();

    QFile m_file;
    CZipEntry m_entry;
    quint64 m_dataOffset = 0;
    quint64 m_consumed = 0;
    quint64 m_produced = 0;
    quint32 m_crc = 0;
    z_stream m_zip{};
    bool m_zipReady = false;
    bool m_finished = false;
    bool m_failed = false;
    std::vector<char> m_input;
};
