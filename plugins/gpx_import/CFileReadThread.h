#pragma once

#include "CImportQueue.h"

#include <QStringList>

#include <atomic>
#include <thread>

// Reads the files of one import on a thread of its own: each file with CGeoFileReader, with the
// additional waypoints linked to their caches (CChildLinker) and mapped to record field texts
// (CRecordMapper::Map), into a CImportQueue that the
// invoking thread empties into the database. It stops when the storing side stops the queue (the
// user cancelled, or the database refuses records); the cache held back for its waypoints was
// read whole and is still passed on.
class CFileReadThread {
public:
    CFileReadThread(QStringList files, CImportQueue& queue);
    ~CFileReadThread();
    CFileReadThread(const CFileReadThread&) = delete;
    CFileReadThread& operator=(const CFileReadThread&) = delete;

    void Start();
    // Waits for the thread to end. The results below are valid afterwards.
    void Join();

    // Bytes read so far, over all files (safe to ask while the thread runs).
    qint64 BytesDone() const { return m_bytesDone.load(std::memory_order_relaxed); }
    qint64 TotalBytes() const { return m_totalBytes; }

    const QStringList& Errors() const { return m_errors; }
    const QStringList& Notices() const { return m_notices; }
    // True when the reading stopped before the end of the files.
    bool Stopped() const { return m_stopped; }

private:
    void Run();
    void ReadFile(const QString& file, qint64 before);

    // Waypoints travel in batches of this many, so that the threads meet rarely.
    static constexpr size_t kBatchSize = 32;

    const QStringList m_files;
    CImportQueue& m_queue;
    std::thread m_thread;
    std::atomic<qint64> m_bytesDone{0};
    qint64 m_totalBytes = 0;
    CImportQueue::Batch m_batch;
    QStringList m_errors;
    QStringList m_notices;
    bool m_stopped = false;
};
