#include "CFileReadThread.h"

#include "CChildLinker.h"
#include "CGeoFileReader.h"

#include <QFileInfo>

namespace {

qint64 FileSize(const QString& file) {
    return std::max<qint64>(QFileInfo(file).size(), 0);
}

} // namespace

CFileReadThread::CFileReadThread(QStringList files, CImportQueue& queue)
    : m_files(std::move(files)), m_queue(queue) {
    for (const QString& file : m_files) {
        m_totalBytes += FileSize(file);
    }
}

CFileReadThread::~CFileReadThread() {
    if (m_thread.joinable()) {
        m_queue.Stop();
        m_thread.join();
    }
}

void CFileReadThread::Start() {
    m_thread = std::thread([this] { Run(); });
}

void CFileReadThread::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void CFileReadThread::Run() {
    qint64 before = 0;
    for (const QString& file : m_files) {
        ReadFile(file, before);
        before += FileSize(file);
        m_bytesDone.store(before, std::memory_order_relaxed);
        if (m_stopped) {
            break;
        }
    }
    if (!m_batch.empty()) {
        m_queue.Push(std::move(m_batch));
    }
    m_queue.Close();
}

void CFileReadThread::ReadFile(const QString& file, qint64 before) {
    CGeoFileReader reader;
    CChildLinker linker([this](CGeoRecord& record) {
        m_batch.push_back(CRecordMapper::Map(record));
        if (m_batch.size() >= kBatchSize) {
            m_queue.Push(std::move(m_batch));
            m_batch.clear();
        }
        return true;
    });
    const auto progress = [this, before](quint64 done, quint64) {
        m_bytesDone.store(before + qint64(done), std::memory_order_relaxed);
        return !m_queue.Stopped();
    };
    reader.Read(
        file, [&linker](CGeoRecord& record) { return linker.Add(record); }, progress);
    // The cache held back for its waypoints was read whole before any stop: it is passed on.
    linker.Flush();
    m_errors << reader.Errors();
    m_notices << reader.Notices();
    m_stopped = reader.Cancelled();
}
