// The hand-over of saves between the simulator's thread and the writer
// thread. One lock guards the slots and the wake-up both threads wait on; the
// writer holds it only to take a save and to put back its result, never while
// it writes.
#include "position/SaveQueue.h"

#include <algorithm>
#include <iterator>

SaveQueue theSaveQueue;

namespace {

// A wait on the lock's wake-up lasts at most this long before the deadline is
// looked at again (see ThreadWake::waitFor).
constexpr int kWaitSpellMilliseconds = 50;

}  // namespace

SaveQueue::SaveQueue() noexcept {
    lock_.init();
    wake_.init();
}

SaveQueue::~SaveQueue() {
    wake_.destroy();
    lock_.destroy();
}

void SaveQueue::start() {
    stopping_ = false;
    for (Slot& slot : slots_) slot.state = SlotState::Free;
    written_.store(0, std::memory_order_relaxed);
    threaded_ = thread_.start(writerEntry, this);
}

void SaveQueue::writerEntry(void* queue) { static_cast<SaveQueue*>(queue)->writeSaves(); }

// The writer's whole life: the oldest waiting save, written unlocked, its
// result put back; asleep while there is none.
void SaveQueue::writeSaves() {
    lock_.lock();
    for (;;) {
        Slot* next = first(SlotState::Waiting);
        if (next == nullptr) {
            if (stopping_) break;
            wake_.wait(lock_);
            continue;
        }
        next->state = SlotState::Writing;
        lock_.unlock();
        const SaveResult result = performSave(next->job);
        lock_.lock();
        next->result = result;
        next->state = SlotState::Written;
        written_.fetch_add(1, std::memory_order_release);
        wake_.wakeAll();
    }
    lock_.unlock();
}

// The slot in `state` asked first, or null.
SaveQueue::Slot* SaveQueue::first(SlotState state) {
    Slot* const found = std::min_element(std::begin(slots_), std::end(slots_), [state](const Slot& a, const Slot& b) {
        return a.state == state && (b.state != state || a.order < b.order);
    });
    return found->state == state ? found : nullptr;
}

// Under the lock. A waiting auto-save is dropped for the newer one, which
// writes what the aircraft is now.
bool SaveQueue::claimSlot(const SaveJob& job) {
    Slot* slot = std::find_if(std::begin(slots_), std::end(slots_), [&job](const Slot& waiting) {
        return job.kind == SaveKind::AutoSave && waiting.state == SlotState::Waiting &&
               waiting.job.kind == SaveKind::AutoSave;
    });
    if (slot == std::end(slots_)) slot = first(SlotState::Free);
    if (slot == nullptr) return false;
    slot->job = job;
    slot->order = nextOrder_++;
    slot->state = SlotState::Waiting;
    return true;
}

bool SaveQueue::handOver(const SaveJob& job, int milliseconds, SaveReport report, void* context) {
    const long long deadline = steadyMilliseconds() + milliseconds;
    lock_.lock();
    for (;;) {
        if (claimSlot(job)) break;
        if (written_.load(std::memory_order_relaxed) != 0) {
            lock_.unlock();
            reportResults(report, context, true);
            lock_.lock();
            continue;
        }
        const long long left = deadline - steadyMilliseconds();
        if (left <= 0) {
            lock_.unlock();
            return false;
        }
        wake_.waitFor(lock_, static_cast<int>(std::min<long long>(left, kWaitSpellMilliseconds)));
    }
    if (threaded_) {
        wake_.wakeAll();
        lock_.unlock();
        return true;
    }
    // No writer thread: the save is written here and now.
    Slot* slot = first(SlotState::Waiting);
    slot->result = performSave(slot->job);
    slot->state = SlotState::Written;
    written_.fetch_add(1, std::memory_order_release);
    lock_.unlock();
    return true;
}

// Under the lock.
bool SaveQueue::busy() { return first(SlotState::Waiting) != nullptr || first(SlotState::Writing) != nullptr; }

bool SaveQueue::waitUntilWritten(int milliseconds) {
    const long long deadline = steadyMilliseconds() + milliseconds;
    lock_.lock();
    for (;;) {
        const long long left = deadline - steadyMilliseconds();
        if (!busy() || left <= 0) break;
        wake_.waitFor(lock_, static_cast<int>(std::min<long long>(left, kWaitSpellMilliseconds)));
    }
    const bool written = !busy();
    lock_.unlock();
    return written;
}

void SaveQueue::reportResults(SaveReport report, void* context, bool waitForLock) {
    if (waitForLock) {
        lock_.lock();
    } else if (!lock_.tryLock()) {
        return;
    }
    Slot* ended[kSaveQueueSlots];
    int count = 0;
    for (Slot* slot = first(SlotState::Written); slot != nullptr; slot = first(SlotState::Written)) {
        slot->state = SlotState::Reporting;  // the writer leaves it alone: read unlocked below
        ended[count++] = slot;
    }
    lock_.unlock();
    for (int i = 0; i < count; ++i) report(context, ended[i]->job, &ended[i]->result);
    lock_.lock();
    for (int i = 0; i < count; ++i) ended[i]->state = SlotState::Free;
    written_.fetch_sub(count, std::memory_order_release);
    wake_.wakeAll();
    lock_.unlock();
}

void SaveQueue::stop(int milliseconds, SaveReport report, void* context) {
    (void)waitUntilWritten(milliseconds);
    lock_.lock();
    stopping_ = true;
    for (Slot& slot : slots_) {
        if (slot.state == SlotState::Waiting) slot.state = SlotState::Dropped;
    }
    wake_.wakeAll();
    lock_.unlock();
    if (threaded_) thread_.join();
    threaded_ = false;
    reportResults(report, context, true);
    // The writer has ended: the dropped saves are read without the lock.
    for (Slot* slot = first(SlotState::Dropped); slot != nullptr; slot = first(SlotState::Dropped)) {
        slot->state = SlotState::Free;
        report(context, slot->job, nullptr);
    }
}
