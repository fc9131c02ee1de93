#include "PilotRun.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <iterator>

#include "skysim/TemporaryFolder.h"

namespace pilot {

namespace {

constexpr int kRecent = 24;
constexpr int kTextSize = 240;

// Shared between the parent and the child that runs the steps.
struct SharedState {
    std::int64_t current;
    std::int64_t done;
    int failed;
    char failure[8192];
    char recent[kRecent][kTextSize];
    std::int64_t faults[static_cast<int>(Fault::Count)];
    std::int64_t loadsCompared;
    int dying;  // the current step kills the child on purpose
};

void copyText(char* out, std::size_t size, const std::string& text) {
    (void)std::snprintf(out, size, "%s", text.c_str());
}

// A root user writes through any permission: the child gives that up, so a
// read-only file or folder stops the plug-in as it stops a pilot.
void dropPermissionOverride() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0) return;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) data[cap / 32].effective &= ~(1u << (cap % 32));
    syscall(SYS_capset, &header, data);
}

[[noreturn]] void failChild(SharedState* shared, const std::string& failure) {
    copyText(shared->failure, sizeof shared->failure, failure);
    shared->failed = 1;
    (void)std::fflush(nullptr);
    _exit(1);
}

// Runs steps `first` to `count`; it begins the session, or, `again`, begins it
// again where a child killed by step `first` left it and checks that step.
[[noreturn]] void runChild(const RunOptions& options, const std::string& root, bool again, std::int64_t first,
                           std::int64_t count, const std::function<Step(std::int64_t)>& stepAt, SharedState* shared,
                           const std::string& errorFile) {
    int error = open(errorFile.c_str(), O_WRONLY | O_CREAT | (again ? O_APPEND : O_TRUNC), 0600);
    if (error >= 0) {
        dup2(error, 2);
        close(error);
    }
    dropPermissionOverride();
    SessionOptions sessionOptions{options.modulePath, root, options.corpusFolder, options.autoSaveMinutes};
    Session session(skysim::Sim::get(), sessionOptions, shared->faults, &shared->loadsCompared);
    std::string failure;
    if (again ? !session.resume(failure) : !session.begin(failure)) failChild(shared, "cannot begin: " + failure);
    for (std::int64_t i = first; i < count; ++i) {
        shared->current = i;
        Step step = stepAt(i);
        if (i > first || !again) {
            std::string what = std::string(kindName(step.kind)) + ":" + std::to_string(step.arg) + "  ";
            copyText(shared->recent[i % kRecent], kTextSize, what);
            shared->dying = step.kind == StepKind::Die;
            if (shared->dying != 0) copyText(shared->recent[i % kRecent], kTextSize, what + "the simulator killed");
            what += session.act(step);
            copyText(shared->recent[i % kRecent], kTextSize, what);
            if (options.printSteps) std::cout << "step " << i << ": " << what << std::endl;
        } else if (options.printSteps) {
            std::cout << "step " << i << ": " << shared->recent[i % kRecent] << "(killed; started again)" << std::endl;
        }
        if (!session.check(step, failure)) failChild(shared, failure);
        shared->done = i + 1;
    }
    if (!session.end(failure)) failChild(shared, failure);
    (void)std::fflush(nullptr);
    std::exit(0);  // lets LeakSanitizer look at the whole session
}

std::string fileTail(const std::string& path, std::size_t bytes) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.size() > bytes ? "..." + text.substr(text.size() - bytes) : text;
}

std::string categoryOf(const std::string& failure) {
    std::size_t colon = failure.find(':');
    return colon == std::string::npos ? failure : failure.substr(0, colon);
}

}  // namespace

RunResult runSteps(const RunOptions& options, std::int64_t count, const std::function<Step(std::int64_t)>& stepAt) {
    RunResult result;
    void* memory = mmap(nullptr, sizeof(SharedState), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        result.passed = false;
        result.failure = result.category = "cannot share memory with the child";
        return result;
    }
    auto* shared = static_cast<SharedState*>(memory);  // an anonymous mapping starts zeroed
    shared->current = -1;
    std::string root = skysim::makeTemporaryFolder("skyplacer-pilot-");
    std::string errorFile = root + ".stderr";
    auto started = std::chrono::steady_clock::now();
    (void)std::fflush(nullptr);
    pid_t child = fork();
    if (child == 0) runChild(options, root, false, 0, count, stepAt, shared, errorFile);
    int status = 0;
    double nextReport = options.progressSeconds;
    std::int64_t doneAtReport = 0;
    std::int64_t drawn = 0;  // steps the parent has drawn
    for (;;) {
        if (waitpid(child, &status, WNOHANG) != 0) {
            // A death the step meant: the simulator starts again on the same folder.
            bool meant = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && shared->dying != 0;
            if (!meant) break;
            shared->dying = 0;
            // A seed's steps are drawn in order: the parent draws those the
            // dead children ran, so that the next child's next one is its first.
            for (; drawn < shared->current; ++drawn) (void)stepAt(drawn);
            (void)std::fflush(nullptr);
            child = fork();
            if (child == 0) runChild(options, root, true, shared->current, count, stepAt, shared, errorFile);
            continue;
        }
        usleep(1000);
        double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (options.progressSeconds > 0 && elapsed >= nextReport) {
            // The rate of this interval alone, so that a run slowing down shows.
            std::int64_t done = shared->done;
            std::cout << "  " << done << " steps in " << static_cast<long>(elapsed) << " s ("
                      << static_cast<long>(static_cast<double>(done - doneAtReport) / options.progressSeconds)
                      << " a second in the last " << options.progressSeconds << " s)" << std::endl;
            nextReport += options.progressSeconds;
            doneAtReport = done;
        }
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    result.stepsRun = shared->done;
    std::copy(std::begin(shared->faults), std::end(shared->faults), result.faults);
    result.loadsCompared = shared->loadsCompared;
    // A pass is every step run and a clean exit.
    bool exitedWell = WIFEXITED(status) && WEXITSTATUS(status) == 0 && shared->done == count;
    if (!exitedWell) {
        result.passed = false;
        result.failedStep = shared->current;
        if (shared->failed != 0) {
            result.failure = shared->failure;
        } else if (WIFSIGNALED(status)) {
            result.failure = "crashed with signal " + std::to_string(WTERMSIG(status));
        } else {
            result.failure = "ended with status " + std::to_string(WEXITSTATUS(status)) +
                             " (a sanitizer report or a leak: see its output)";
        }
        if (shared->done == count && shared->failed == 0) result.failure += ", after the last step";
        result.category = categoryOf(result.failure);
        for (std::int64_t i = std::max<std::int64_t>(0, result.failedStep - kRecent + 1); i <= result.failedStep; ++i) {
            result.recentSteps.push_back("step " + std::to_string(i) + ": " + shared->recent[i % kRecent]);
        }
        result.childOutput = fileTail(errorFile, 6000);
    }
    munmap(memory, sizeof(SharedState));
    std::error_code ignored;
    std::filesystem::remove(errorFile, ignored);
    std::filesystem::remove(root + ".state", ignored);
    // The child may have left the folder read-only: the parent may still clear it.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(root, ignored);
    return result;
}

std::vector<Step> shrink(const RunOptions& options, std::vector<Step> steps, const std::string& category,
                         double seconds) {
    auto started = std::chrono::steady_clock::now();
    auto inTime = [&]() {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() < seconds;
    };
    RunOptions quiet = options;
    quiet.printSteps = false;
    quiet.progressSeconds = 0;
    // Fails as before: then `candidate` is cut after the step that showed it.
    auto stillFails = [&](std::vector<Step>& candidate) {
        RunResult result = runSteps(quiet, static_cast<std::int64_t>(candidate.size()),
                                    [&candidate](std::int64_t i) { return candidate[static_cast<std::size_t>(i)]; });
        if (result.passed || result.category != category) return false;
        if (result.failedStep >= 0 && result.failedStep + 1 < static_cast<std::int64_t>(candidate.size())) {
            candidate.resize(static_cast<std::size_t>(result.failedStep + 1));
        }
        return true;
    };
    // Most failures need only the last few steps before them: try short tails first.
    for (std::size_t tail = 4; tail < steps.size() && inTime(); tail *= 4) {
        std::vector<Step> candidate(steps.end() - static_cast<std::ptrdiff_t>(tail), steps.end());
        if (stillFails(candidate)) {
            steps = candidate;
            break;
        }
    }
    // Then remove chunks, halving their size, while the failure stays.
    for (std::size_t chunk = steps.size() / 2; chunk >= 1 && inTime(); chunk /= 2) {
        for (std::size_t at = 0; at < steps.size() && inTime();) {
            std::vector<Step> candidate(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(at));
            std::size_t end = std::min(steps.size(), at + chunk);
            candidate.insert(candidate.end(), steps.begin() + static_cast<std::ptrdiff_t>(end), steps.end());
            if (!candidate.empty() && stillFails(candidate)) {
                steps = candidate;
            } else {
                at += chunk;
            }
        }
    }
    return steps;
}

}  // namespace pilot
