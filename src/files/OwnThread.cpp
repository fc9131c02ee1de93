// The thread layer over each system's own calls.
#include "files/OwnThread.h"

#include <chrono>

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

long long steadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

#ifdef _WIN32

static_assert(sizeof(SRWLOCK) == sizeof(void*) && sizeof(CONDITION_VARIABLE) == sizeof(void*),
              "a slim lock and a condition variable are each one pointer");

void ThreadLock::init() { InitializeSRWLock(reinterpret_cast<PSRWLOCK>(&lock_)); }
void ThreadLock::destroy() {}
void ThreadLock::lock() { AcquireSRWLockExclusive(reinterpret_cast<PSRWLOCK>(&lock_)); }
bool ThreadLock::tryLock() { return TryAcquireSRWLockExclusive(reinterpret_cast<PSRWLOCK>(&lock_)) != 0; }
void ThreadLock::unlock() { ReleaseSRWLockExclusive(reinterpret_cast<PSRWLOCK>(&lock_)); }

void ThreadWake::init() { InitializeConditionVariable(reinterpret_cast<PCONDITION_VARIABLE>(&wake_)); }
void ThreadWake::destroy() {}
void ThreadWake::wait(ThreadLock& lock) {
    (void)SleepConditionVariableSRW(reinterpret_cast<PCONDITION_VARIABLE>(&wake_),
                                    reinterpret_cast<PSRWLOCK>(&lock.lock_), INFINITE, 0);
}
void ThreadWake::waitFor(ThreadLock& lock, int milliseconds) {
    (void)SleepConditionVariableSRW(reinterpret_cast<PCONDITION_VARIABLE>(&wake_),
                                    reinterpret_cast<PSRWLOCK>(&lock.lock_), static_cast<DWORD>(milliseconds), 0);
}
void ThreadWake::wakeAll() { WakeAllConditionVariable(reinterpret_cast<PCONDITION_VARIABLE>(&wake_)); }

unsigned long __stdcall OwnThread::entry(void* self) {
    OwnThread& thread = *static_cast<OwnThread*>(self);
    thread.run_(thread.argument_);
    return 0;
}

bool OwnThread::start(void (*run)(void*), void* argument) {
    run_ = run;
    argument_ = argument;
    thread_ = CreateThread(nullptr, 0, entry, this, 0, nullptr);
    return thread_ != nullptr;
}

void OwnThread::join() {
    (void)WaitForSingleObject(thread_, INFINITE);
    (void)CloseHandle(thread_);
}

#else

void ThreadLock::init() { (void)pthread_mutex_init(&lock_, nullptr); }
void ThreadLock::destroy() { (void)pthread_mutex_destroy(&lock_); }
void ThreadLock::lock() { (void)pthread_mutex_lock(&lock_); }
bool ThreadLock::tryLock() { return pthread_mutex_trylock(&lock_) == 0; }
void ThreadLock::unlock() { (void)pthread_mutex_unlock(&lock_); }

void ThreadWake::init() { (void)pthread_cond_init(&wake_, nullptr); }
void ThreadWake::destroy() { (void)pthread_cond_destroy(&wake_); }
void ThreadWake::wait(ThreadLock& lock) { (void)pthread_cond_wait(&wake_, &lock.lock_); }

// The condition variable counts by the wall clock, which may be set back or
// on: callers wait in short spells against a deadline of the steady clock.
void ThreadWake::waitFor(ThreadLock& lock, int milliseconds) {
    timespec until{};
    (void)clock_gettime(CLOCK_REALTIME, &until);
    const long long nanoseconds = until.tv_nsec + static_cast<long long>(milliseconds) * 1000000;
    until.tv_sec += static_cast<time_t>(nanoseconds / 1000000000);
    until.tv_nsec = static_cast<long>(nanoseconds % 1000000000);
    (void)pthread_cond_timedwait(&wake_, &lock.lock_, &until);
}

void ThreadWake::wakeAll() { (void)pthread_cond_broadcast(&wake_); }

void* OwnThread::entry(void* self) {
    OwnThread& thread = *static_cast<OwnThread*>(self);
    thread.run_(thread.argument_);
    return nullptr;
}

bool OwnThread::start(void (*run)(void*), void* argument) {
    run_ = run;
    argument_ = argument;
    return pthread_create(&thread_, nullptr, entry, this) == 0;
}

void OwnThread::join() { (void)pthread_join(thread_, nullptr); }

#endif
