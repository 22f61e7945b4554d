#include "support/bench_library.h"

#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/library_generator.h"
#include "player/player.h"
#include "plugin/descriptor.h"
#include "plugin/wide_calls.h"

#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

namespace tg::bench {

namespace {

constexpr std::uint64_t kSeed = 20240601;

std::size_t& currentSize() {
    static std::size_t size = static_cast<std::size_t>(-1);
    return size;
}

} // namespace

void usePlayerLibrary(std::size_t trackCount, bool wide) {
    player::Player& p = player::player();
    descriptor().hostWindow = p.mainWindow();
    descriptor().libraryWindow = p.libraryWindow();
    p.setLogging(false);
    if (wide && p.iniDir().empty()) {
        // A current player is found by its answer to the wide settings-folder request.
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "tunegrove-bench";
        platform::sim::mapDrive('S', folder.string());
        std::filesystem::create_directories(folder);
        p.setIniDir("S:\\Settings");
    }
    p.offerWideCalls(wide);
    detectWideCalls();
    if (wideCalls() != wide)
        throw std::runtime_error("the plug-in did not find the player's calls");
    if (currentSize() == trackCount) return;
    p.setTracks(player::generateLibrary(trackCount, kSeed));
    currentSize() = trackCount;
}

const QueryRecord& libraryAnswer(std::size_t trackCount, bool wide) {
    // Answers stay with the player's library, which keeps every block it
    // handed out until it is freed, also after its tracks change.
    static std::map<std::pair<std::size_t, bool>, std::unique_ptr<QueryRecord>> answers;
    auto& answer = answers[{trackCount, wide}];
    if (!answer) {
        usePlayerLibrary(trackCount, wide);
        answer = std::make_unique<QueryRecord>();
        static char everything[] = "";
        answer->query = everything;
        host::mlRunQuery(answer.get());
        answer->query = nullptr;
    }
    return *answer;
}

void sizesInBothModes(benchmark::internal::Benchmark* bench, std::vector<std::int64_t> sizes) {
    bench->ArgNames({"records", "wide"})->ArgsProduct({std::move(sizes), {0, 1}});
}

RecordSet::RecordSet(const QueryRecord& answer)
    : pristine_(answer.items, answer.items + (answer.count > 0 ? answer.count : 0)),
      work_(pristine_) {}

void RecordSet::restore() {
    work_ = pristine_;
}

MenuDefinition libraryDefinition(std::vector<LevelType> levels) {
    MenuDefinition d;
    applySourceDefaults(d, SourceType::MediaLibrary);
    d.levels = std::move(levels);
    return d;
}

std::string middleFile(const QueryRecord& answer) {
    for (int i = answer.count / 2; i < answer.count; ++i)
        if (answer.items[i].filename != nullptr) return answer.items[i].filename;
    return {};
}

void destroyPopup(HMENU popup) {
    if (popup != nullptr) platform::destroyMenu(popup);
}

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void PairedTiming::report(benchmark::State& state) const {
    const double iterations = static_cast<double>(state.iterations());
    if (iterations <= 0 || baseSeconds_ <= 0) return;
    state.counters["base_ms"] = baseSeconds_ * 1e3 / iterations;
    state.counters["cand_ms"] = candidateSeconds_ * 1e3 / iterations;
    state.counters["ratio"] = candidateSeconds_ / baseSeconds_;
}

} // namespace tg::bench
