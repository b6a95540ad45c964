#include "CImportQueue.h"

#include <chrono>

void CImportQueue::Push(Batch&& batch) {
    std::unique_lock lock(m_mutex);
    // A stopped queue still takes the last batches: the storing side drains it to the end.
    m_notFull.wait(lock, [this] { return m_batches.size() < m_maxBatches || m_stopped; });
    m_batches.push_back(std::move(batch));
    lock.unlock();
    m_notEmpty.notify_one();
}

void CImportQueue::Close() {
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_notEmpty.notify_one();
}

bool CImportQueue::Stopped() const {
    std::lock_guard lock(m_mutex);
    return m_stopped;
}

CImportQueue::EPop CImportQueue::Pop(Batch& out, int timeoutMs) {
    std::unique_lock lock(m_mutex);
    if (!m_notEmpty.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [this] { return !m_batches.empty() || m_closed; })) {
        return EPop::Timeout;
    }
    if (m_batches.empty()) {
        return EPop::Ended;
    }
    out = std::move(m_batches.front());
    m_batches.pop_front();
    lock.unlock();
    m_notFull.notify_one();
    return EPop::Batch;
}

void CImportQueue::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_notFull.notify_one();
}
