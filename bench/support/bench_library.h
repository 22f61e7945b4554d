// Benchmark set-up on the simulated player: generated libraries, the records
// the library answers for them, track menu definitions, and paired timing of
// a candidate against its baseline in the same iteration.
#pragma once

#include "model/model_state.h"
#include "plugin/host_messages.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tg::bench {

// The simulated player holds a generated library of trackCount tracks (fixed
// seed), its windows are connected to the plug-in's descriptor and its log is
// off. The library is generated again only when the size changes. wide: the
// player offers the wide calls and the plug-in has found them (its texts are
// UTF-8); otherwise it speaks ANSI.
void usePlayerLibrary(std::size_t trackCount, bool wide);

// Every track of a generated library of trackCount tracks, as the library
// answers an empty query in that mode. Made once per size and mode and kept
// for the process: the records point into the answer, which stays with the player.
const QueryRecord& libraryAnswer(std::size_t trackCount, bool wide);

// Registers each size in both modes: arguments (size, wide).
void sizesInBothModes(benchmark::internal::Benchmark* bench, std::vector<std::int64_t> sizes);

// A working copy of records, put back into the library's order before each
// measured step (sorting is in place).
class RecordSet {
public:
    explicit RecordSet(const QueryRecord& answer);
    void restore();
    TrackRecord* data() { return work_.data(); }
    int count() const { return static_cast<int>(work_.size()); }
    const std::vector<TrackRecord>& pristine() const { return pristine_; }

private:
    std::vector<TrackRecord> pristine_;
    std::vector<TrackRecord> work_;
};

// A Media Library definition with these levels and the default options (year
// before albums, track numbers on titles, play times on every level).
MenuDefinition libraryDefinition(std::vector<LevelType> levels);

// The file of the record in the middle of the answer: the song now playing.
std::string middleFile(const QueryRecord& answer);

// Destroys a popup the benchmark built, with everything below it.
void destroyPopup(HMENU popup);

// The processor time this thread has used, in seconds: on a shared machine
// other processes stretch wall-clock times but not this.
double threadSeconds();

// Candidate and baseline run once each per iteration, in alternating order so
// neither always finds the caches warm; each has an untimed preparation. Both
// are timed in processor time of this thread. The benchmark's time is the
// candidate's; counters give both times (ms per iteration) and their ratio
// over the whole run.
class PairedTiming {
public:
    template <typename Prepare, typename Step> double time(Prepare prepare, Step step) {
        prepare();
        const double start = threadSeconds();
        step();
        return threadSeconds() - start;
    }

    template <typename PrepareBase, typename Base, typename PrepareCandidate, typename Candidate>
    void run(benchmark::State& state, PrepareBase prepareBase, Base base,
             PrepareCandidate prepareCandidate, Candidate candidate) {
        bool candidateFirst = false;
        for (auto _ : state) {
            double c = 0;
            double b = 0;
            if (candidateFirst) {
                c = time(prepareCandidate, candidate);
                b = time(prepareBase, base);
            } else {
                b = time(prepareBase, base);
                c = time(prepareCandidate, candidate);
            }
            candidateFirst = !candidateFirst;
            baseSeconds_ += b;
            candidateSeconds_ += c;
            state.SetIterationTime(c);
        }
        report(state);
    }

private:
    void report(benchmark::State& state) const;
    double baseSeconds_ = 0;
    double candidateSeconds_ = 0;
};

} // namespace tg::bench
