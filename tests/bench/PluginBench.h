// The benchmarks' fixture: an application object of the benchmark's own,
// started through its real start sequence (sample settings read, data
// references found, loops and hot keys registered, log opened) on a fresh
// stand-in, with an aircraft in flight. Benchmarks call its operations
// directly, so the times hold the plug-in's work plus the stand-in's answers
// to it, but no menu or hot-key dispatch.
#pragma once

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "TestSupport.h"
#include "plugin/PluginApp.h"

class PluginBench {
public:
    // On a root of its own, or on `root` (kept by the caller) when given.
    explicit PluginBench(const std::string& root = "");
    ~PluginBench();
    PluginBench(const PluginBench&) = delete;
    PluginBench& operator=(const PluginBench&) = delete;

    PluginApp& app() { return *app_; }
    std::string pluginFile(const std::string& name) const;

    // Starts recording what the plug-in asks of the simulator in one call.
    void beginCall();
    // Reports what was asked since beginCall as the benchmark's counters.
    void reportCall(benchmark::State& state) const;

private:
    std::unique_ptr<TempFolder> ownRoot_;
    std::unique_ptr<PluginApp> app_;
    int descriptorWritesBefore_ = 0;
};

// The plug-in's folder of a root with `count` position files (and a settings
// file and a few others the dialog must skip), made once per count and process.
const std::string& rootWithPositionFiles(int count);
