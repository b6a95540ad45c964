// The queue between the import's reading thread and the thread that stores the records.
#include "CImportQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

CImportQueue::Batch BatchOf(int first, int count) {
    CImportQueue::Batch batch;
    for (int i = 0; i < count; ++i) {
        CMappedRecord record;
        record.wpt = QString::number(first + i);
        batch.push_back(record);
    }
    return batch;
}

// Pops until the queue ends; returns the waypoint IDs in the order they came.
QStringList Drain(CImportQueue& queue, int stopAfter = -1) {
    QStringList seen;
    CImportQueue::Batch batch;
    for (;;) {
        const CImportQueue::EPop popped = queue.Pop(batch, 10);
        if (popped == CImportQueue::EPop::Ended)
            return seen;
        for (const CMappedRecord& record : batch)
            seen << record.wpt;
        batch.clear();
        if (stopAfter >= 0 && seen.size() >= stopAfter)
            queue.Stop();
    }
}

} // namespace

TEST(ImportQueue, DeliversEveryBatchInOrderWhileTheReaderWaitsOnAFullQueue) {
    CImportQueue queue(2);
    std::thread reader([&queue] {
        for (int b = 0; b < 50; ++b)
            queue.Push(BatchOf(b * 3, 3));
        queue.Close();
    });
    const QStringList seen = Drain(queue);
    reader.join();
    ASSERT_EQ(seen.size(), 150);
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(seen[i], QString::number(i));
}

TEST(ImportQueue, StoppingLetsTheReaderFinishWithoutWaitingAndTheRestStillArrives) {
    CImportQueue queue(1);
    std::atomic<int> pushedAfterStop{0};
    std::thread reader([&] {
        int b = 0;
        while (!queue.Stopped())
            queue.Push(BatchOf(b++ * 2, 2));
        // What was read before the stop was noticed (a held-back cache) still goes in.
        for (int extra = 0; extra < 5; ++extra, ++pushedAfterStop)
            queue.Push(BatchOf(1000 + extra * 2, 2));
        queue.Close();
    });
    const QStringList seen = Drain(queue, 4);
    reader.join();
    EXPECT_TRUE(queue.Stopped());
    EXPECT_EQ(pushedAfterStop.load(), 5);
    ASSERT_GE(seen.size(), 14);
    EXPECT_EQ(seen.mid(seen.size() - 10, 2), (QStringList{"1000", "1001"}));
    EXPECT_EQ(seen.last(), QStringLiteral("1009"));
}

TEST(ImportQueue, PopTimesOutWhileNothingCameAndEndsOnceClosedAndEmpty) {
    CImportQueue queue(4);
    CImportQueue::Batch batch;
    EXPECT_EQ(queue.Pop(batch, 1), CImportQueue::EPop::Timeout);
    queue.Push(BatchOf(0, 1));
    queue.Close();
    EXPECT_EQ(queue.Pop(batch, 1), CImportQueue::EPop::Batch);
    EXPECT_EQ(queue.Pop(batch, 1), CImportQueue::EPop::Ended);
}
