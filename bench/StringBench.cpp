// Copying and destroying strings that share one representation: the cost of
// the reference count on the copy-on-write path, narrow and wide.
#include <benchmark/benchmark.h>

#include "rw/RWCString.h"
#include "rw/RWWString.h"

namespace {

template <typename String> void CopySharedString(benchmark::State& state, const String& original) {
    for (auto _ : state) {
        String copy(original);
        benchmark::DoNotOptimize(copy.Data());
    }
}

void BM_CopyNarrow(benchmark::State& state) {
    static const RWCString original("a printer settings text of some length");
    CopySharedString(state, original);
}

void BM_CopyWide(benchmark::State& state) {
    static const RWWString original(u"a printer settings text of some length");
    CopySharedString(state, original);
}

// The same, with copies made and dropped on several threads at once.
void BM_CopyNarrowContended(benchmark::State& state) {
    static const RWCString original("shared between threads");
    CopySharedString(state, original);
}

// A copy that is then changed: the clone on first write.
void BM_CopyThenWrite(benchmark::State& state) {
    static const RWCString original("a printer settings text of some length");
    for (auto _ : state) {
        RWCString copy(original);
        copy.Append("!");
        benchmark::DoNotOptimize(copy.Data());
    }
}

} // namespace

BENCHMARK(BM_CopyNarrow);
BENCHMARK(BM_CopyWide);
BENCHMARK(BM_CopyNarrowContended)->Threads(1)->Threads(4);
BENCHMARK(BM_CopyThenWrite);

BENCHMARK_MAIN();
