#include "host/core/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <numeric>
#include <stdexcept>
#include <thread>

namespace {

using Worker = hostfw::WorkerThread<int>;

TEST(WorkerThread, DoesEveryItemOnceInTheOrderGivenOnAThreadOfItsOwn) {
    std::vector<int> done;
    std::thread::id doneOn;
    Worker worker([&](std::vector<int>& batch) {
        doneOn = std::this_thread::get_id();
        done.insert(done.end(), batch.begin(), batch.end());
    });
    const int count = 5 * static_cast<int>(Worker::kBatchSize) + 17;  // and a partial batch
    for (int i = 0; i < count; ++i)
        worker.Give(i);
    worker.Wait();
    std::vector<int> expected(static_cast<std::size_t>(count));
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(done, expected);
    EXPECT_NE(doneOn, std::this_thread::get_id());

    worker.Give(count);  // still at work after a wait
    worker.Wait();
    EXPECT_EQ(done.back(), count);
}

TEST(WorkerThread, TheFirstFailureReachesTheGiverAndNothingAfterItIsDone) {
    const int failing = static_cast<int>(Worker::kBatchSize) + 500;  // within the second batch
    std::atomic<int> highestDone = -1;
    Worker worker([&](std::vector<int>& batch) {
        for (int item : batch) {
            if (item == failing)
                throw std::runtime_error("disco cheio");
            highestDone = item;
        }
    });
    std::string raised;
    try {
        for (int i = 0; i < 100 * static_cast<int>(Worker::kBatchSize); ++i)
            worker.Give(i);
        worker.Wait();
    } catch (const std::runtime_error& failure) {
        raised = failure.what();
    }
    EXPECT_EQ(raised, "disco cheio");
    EXPECT_EQ(highestDone, failing - 1) << "no later batch was started";
    EXPECT_THROW(worker.Wait(), std::runtime_error) << "the failure stays";
}

TEST(WorkerThread, ASlowWorkerHoldsTheGiverBack) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<std::size_t> given = 0;
    std::size_t done = 0;
    Worker worker([&](std::vector<int>& batch) {
        released.wait();
        done += batch.size();
    });
    const std::size_t total = 40 * Worker::kBatchSize;
    std::thread giver([&] {
        for (std::size_t i = 0; i < total; ++i) {
            worker.Give(static_cast<int>(i));
            ++given;
        }
        worker.Wait();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    // One batch at work, the waiting ones, one being filled: never all of them.
    EXPECT_LE(given.load(), (Worker::kWaitingBatches + 2) * Worker::kBatchSize);
    release.set_value();
    giver.join();
    EXPECT_EQ(given.load(), total);
    EXPECT_EQ(done, total);
}

}  // namespace
