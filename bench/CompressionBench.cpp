// Round trips of a settings-sized (4 KB) buffer through the two compressors:
// zlib (the DEVMODE blob on every store and load) and the dictionary coder.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/GLZWCoder.h"
#include "model/GPersistMemoryStreamBuf.h"
#include "model/GStreamCompressor.h"

namespace {

// Portable-text-like settings: attribute ids, quoted names and values.
std::string SettingsText() {
    std::string text;
    for (int i = 0; text.size() < 4096; ++i)
        text += std::to_string(700 + i % 60) + "\n1\n\"Setting" + std::to_string(i % 23) + "\"\n" +
                std::to_string(i * 37 % 1000) + "\n";
    text.resize(4096);
    return text;
}

void BM_ZlibRoundTrip(benchmark::State& state) {
    std::string text = SettingsText();
    std::vector<char> packed(4096), expanded(GStreamCompressor::kExpandedLimit);
    GStreamCompressor compressor;
    for (auto _ : state) {
        GPersistMemoryStreamBuf source(text.data(), text.size(), std::ios_base::in);
        GPersistMemoryStreamBuf sink(packed.data(), packed.size(), std::ios_base::out);
        std::istream in(&source);
        std::ostream out(&sink);
        if (!compressor.Compress(in, out)) state.SkipWithError("compress failed");
        const std::streamoff packedLength = out.tellp();

        GPersistMemoryStreamBuf packedSource(packed.data(), static_cast<size_t>(packedLength),
                                             std::ios_base::in);
        GPersistMemoryStreamBuf expandedSink(expanded.data(), expanded.size(), std::ios_base::out);
        std::istream packedIn(&packedSource);
        std::ostream expandedOut(&expandedSink);
        if (!compressor.Decompress(packedIn, expandedOut)) state.SkipWithError("decompress failed");
        state.counters["packed"] = static_cast<double>(packedLength);
        benchmark::DoNotOptimize(expanded.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ZlibRoundTrip);

void BM_DictionaryCoderRoundTrip(benchmark::State& state) {
    const std::string text = SettingsText();
    GLZWCoder coder; // page table and decode stack once, as a caller keeps it
    for (auto _ : state) {
        std::istringstream in(text);
        std::ostringstream packed;
        if (!coder.Compress(in, packed)) state.SkipWithError("compress failed");
        std::istringstream packedIn(packed.str());
        std::ostringstream expanded;
        if (!coder.Expand(packedIn, expanded)) state.SkipWithError("expand failed");
        state.counters["packed"] = static_cast<double>(packed.str().size());
        benchmark::DoNotOptimize(expanded.str().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_DictionaryCoderRoundTrip);

} // namespace

BENCHMARK_MAIN();
