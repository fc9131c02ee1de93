#include "PilotSteps.h"

#include <cstdlib>
#include <iterator>
#include <numeric>
#include <sstream>

namespace pilot {

namespace {

struct KindRow {
    const char* name;
    int weight;  // out of the sum of all weights
};

// Pilot actions are common; faults of the world around the plug-in rarer, a
// reload or the simulator's death rarest, so a run spends most of its time inside one session.
const KindRow kKinds[] = {
    {"menu", 9},     {"hotkey", 6},   {"command", 7}, {"button", 16},   {"closebox", 3},   {"listmouse", 8},
    {"type", 10},    {"savename", 6}, {"time", 16},   {"writefile", 5}, {"removefile", 3}, {"readonly", 2},
    {"fulldisk", 3}, {"reload", 1},   {"simdies", 1}, {"crash", 1},     {"replay", 1},     {"undo", 3},
};
static_assert(std::size(kKinds) == static_cast<std::size_t>(StepKind::Count), "one row per kind");

int totalWeight() {
    return std::accumulate(std::begin(kKinds), std::end(kKinds), 0,
                           [](int sum, const KindRow& row) { return sum + row.weight; });
}

}  // namespace

std::uint64_t Random::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

const char* kindName(StepKind kind) { return kKinds[static_cast<int>(kind)].name; }

bool kindFromName(const std::string& name, StepKind& kind) {
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        if (name == kKinds[i].name) {
            kind = static_cast<StepKind>(i);
            return true;
        }
    }
    return false;
}

StepSource::StepSource(std::uint64_t seed) : state_(seed) {}

Step StepSource::next() {
    Random random(state_);
    state_ = random.next();
    static const int total = totalWeight();
    int pick = static_cast<int>(random.below(static_cast<std::size_t>(total)));
    std::size_t kind = 0;
    while (pick >= kKinds[kind].weight) pick -= kKinds[kind++].weight;
    return {static_cast<StepKind>(kind), random.next()};
}

std::string stepsText(const std::vector<Step>& steps) {
    std::string text;
    for (const Step& step : steps) {
        if (!text.empty()) text += ' ';
        text += std::string(kindName(step.kind)) + ":" + std::to_string(step.arg);
    }
    return text;
}

bool parseSteps(const std::string& text, std::vector<Step>& steps, std::string& error) {
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        std::size_t colon = word.find(':');
        Step step{};
        char* end = nullptr;
        if (colon == std::string::npos || !kindFromName(word.substr(0, colon), step.kind)) {
            error = "not a step: " + word;
            return false;
        }
        step.arg = std::strtoull(word.c_str() + colon + 1, &end, 10);
        if (*end != '\0' || colon + 1 == word.size()) {
            error = "not a step argument: " + word;
            return false;
        }
        steps.push_back(step);
    }
    return true;
}

}  // namespace pilot
