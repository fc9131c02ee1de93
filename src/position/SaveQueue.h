// The saves on their way from the simulator's thread to the plug-in's writer
// thread, which does all their disk work, one at a time in the order they
// were asked, and their results on the way back. The slots are made with the
// module, so handing a save over allocates nothing; the simulator's thread
// only copies the job into a slot and wakes the writer. The writer touches
// nothing but the files and the slot it writes.
#pragma once

#include <atomic>
#include <cstdint>

#include "files/OwnThread.h"
#include "position/SaveJob.h"

// Saves waiting, in writing or written and not yet reported: a disk that
// stopped answering fills them, and then a save is refused rather than kept
// without bound.
constexpr int kSaveQueueSlots = 8;

// Called on the simulator's thread for each save that ended, in the order
// asked; `result` is null for a save that was never written.
using SaveReport = void (*)(void* context, const SaveJob& job, const SaveResult* result);

class SaveQueue {
public:
    SaveQueue() noexcept;
    ~SaveQueue();
    SaveQueue(const SaveQueue&) = delete;
    SaveQueue& operator=(const SaveQueue&) = delete;

    // Starts the writer thread. Without one (the system made none) each save is
    // written when it is handed over, on the thread that hands it over.
    void start();
    // Waits up to `milliseconds` for the saves asked to be written, then drops
    // those not begun and waits for the one in progress to end (a thread must
    // not outlive the module's code); reports all of them.
    void stop(int milliseconds, SaveReport report, void* context);

    // Copies `job` into a free slot for the writer. A new auto-save takes the
    // place of one that waits and has not begun. With every slot taken, the
    // results waiting are reported to free theirs, and a save waits up to
    // `milliseconds` for one; false when none came free.
    bool handOver(const SaveJob& job, int milliseconds, SaveReport report, void* context);
    // Waits up to `milliseconds` until every save asked so far has been
    // written; false when some are still waiting or in writing.
    bool waitUntilWritten(int milliseconds);

    // How many saves have ended and wait to be reported: one load of an atomic,
    // so the main loop can ask at every call.
    int resultsWaiting() const { return written_.load(std::memory_order_acquire); }
    // Reports the saves that ended; when `waitForLock` is false and the writer
    // holds the lock just then, returns at once, so the frame never waits.
    void reportResults(SaveReport report, void* context, bool waitForLock);

private:
    enum class SlotState : int32_t { Free, Waiting, Writing, Written, Dropped, Reporting };
    struct Slot {
        SlotState state;
        uint64_t order;
        SaveJob job;
        SaveResult result;
    };

    static void writerEntry(void* queue);
    void writeSaves();
    Slot* first(SlotState state);
    bool claimSlot(const SaveJob& job);
    bool busy();

    ThreadLock lock_;
    ThreadWake wake_;
    OwnThread thread_;
    bool threaded_ = false;
    bool stopping_ = false;
    uint64_t nextOrder_ = 0;
    std::atomic<int> written_{0};
    Slot slots_[kSaveQueueSlots] = {};
};

// The plug-in's one queue, made with the module. Hidden where symbols have a
// visibility, so the main loop reads it without a look-up at every call.
#if defined(_WIN32)
extern SaveQueue theSaveQueue;
#else
extern SaveQueue theSaveQueue __attribute__((visibility("hidden")));
#endif
