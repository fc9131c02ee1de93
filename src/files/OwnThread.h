// The plug-in's own thread, and the lock and wake-up it shares with the
// simulator's thread, over the system's calls: POSIX threads, or on Windows
// the kernel's threads, slim locks and condition variables. MinGW's win32
// thread model has no std::thread, and win.xpl imports only Windows' own DLLs.
// None of them allocates once made.
#pragma once

#ifndef _WIN32
#include <pthread.h>
#endif

class ThreadLock {
public:
    void init();
    void destroy();
    void lock();
    bool tryLock();  // false at once when another thread holds it
    void unlock();

private:
    friend class ThreadWake;
#ifdef _WIN32
    void* lock_ = nullptr;  // an SRWLOCK
#else
    pthread_mutex_t lock_{};
#endif
};

// Threads wait here, under a lock, for another to change what the lock guards.
class ThreadWake {
public:
    void init();
    void destroy();
    // Releases `lock` while asleep; may wake without cause, so the caller
    // looks again at what it waits for.
    void wait(ThreadLock& lock);
    // The same, for at most `milliseconds`.
    void waitFor(ThreadLock& lock, int milliseconds);
    void wakeAll();

private:
#ifdef _WIN32
    void* wake_ = nullptr;  // a CONDITION_VARIABLE
#else
    pthread_cond_t wake_{};
#endif
};

class OwnThread {
public:
    // Starts `run(argument)` on a new thread; false when the system made none.
    bool start(void (*run)(void*), void* argument);
    // Waits until the thread has returned.
    void join();

private:
    void (*run_)(void*) = nullptr;
    void* argument_ = nullptr;
#ifdef _WIN32
    void* thread_ = nullptr;  // a HANDLE
#else
    pthread_t thread_{};
#endif
#ifdef _WIN32
    static unsigned long __stdcall entry(void* self);
#else
    static void* entry(void* self);
#endif
};

// Milliseconds of a clock that never goes back, for deadlines.
long long steadyMilliseconds();
