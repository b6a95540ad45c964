#pragma once

#include "CRecordMapper.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

// Hands mapped waypoints from the thread that reads the files to the thread that stores them, in
// batches, so that reading the next records overlaps with storing the last ones. The queue holds
// at most a few batches: when the storing side falls behind, the reading side waits, and memory
// stays flat whatever the size of the files.
class CImportQueue {
public:
    using Batch = std::vector<CMappedRecord>;
    enum class EPop { Batch, Timeout, Ended };

    explicit CImportQueue(size_t maxBatches) : m_maxBatches(maxBatches) {}

    // Reading side: adds a batch, waiting while the queue is full.
    void Push(Batch&& batch);
    // Reading side: no more batches will come.
    void Close();
    // True once the storing side asked the reading side to stop.
    bool Stopped() const;

    // Storing side: the next batch into `out`, or Timeout after `timeoutMs` without one, or Ended
    // when the queue is closed and empty.
    EPop Pop(Batch& out, int timeoutMs);
    // Storing side: asks the reading side to stop. Batches already read still arrive and the
    // storing side keeps popping until Ended.
    void Stop();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_notEmpty;
    std::condition_variable m_notFull;
    std::deque<Batch> m_batches;
    const size_t m_maxBatches;
    bool m_closed = false;
    bool m_stopped = false;
};
