// The mixer's inner loop against the memory operations that bound it. Every
// benchmark works on 2048-byte spans, one output block at the default size;
// compare MixSources/N with ReadLimit/N and Silence with Memset in one run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "pcmmix/kernel/MixSources.h"
#ifdef PCMMIX_BENCH_CONVERT
#include "pcmmix/PcmMix.h"
#endif

namespace {

constexpr int kSpan = 2048;

struct Sources {
  std::vector<std::vector<uint8_t>> data;
  std::vector<const uint8_t*> ptr;
  explicit Sources(int n) {
    std::mt19937 rng(1);
    for (int i = 0; i < n; ++i) {
      data.emplace_back(kSpan);
      for (auto& b : data.back()) b = static_cast<uint8_t>(rng());
      ptr.push_back(data.back().data());
    }
  }
};

void BM_MixSources(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Sources s(n);
  std::vector<uint8_t> out(kSpan);
  for (auto _ : state) {
    pcmmix::MixSources(out.data(), s.ptr.data(), n, kSpan);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * n * kSpan);
}
BENCHMARK(BM_MixSources)->Arg(1)->Arg(2)->Arg(4)->Arg(8);

// Reading N spans once and writing them out is the least any mix of N
// sources must do.
void BM_ReadLimit(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Sources s(n);
  std::vector<uint8_t> out(kSpan);
  for (auto _ : state) {
    for (int i = 0; i < n; ++i) {
      std::memcpy(out.data(), s.ptr[i], kSpan);
      benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * n * kSpan);
}
BENCHMARK(BM_ReadLimit)->Arg(1)->Arg(2)->Arg(4)->Arg(8);

void BM_Silence(benchmark::State& state) {
  std::vector<uint8_t> out(kSpan);
  for (auto _ : state) {
    pcmmix::FillSilence(out.data(), kSpan);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kSpan);
}
BENCHMARK(BM_Silence);

void BM_Memset(benchmark::State& state) {
  std::vector<uint8_t> out(kSpan);
  for (auto _ : state) {
    std::memset(out.data(), 128, kSpan);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kSpan);
}
BENCHMARK(BM_Memset);

#ifdef PCMMIX_BENCH_CONVERT
// Loading a typical effect: 2 s of 16-bit stereo at 22050 Hz to the mixer's
// 8-bit mono. Bytes are those of the source. The conversion consumes its
// input, so each pass gets a fresh copy outside the timing.
void BM_Convert16StereoTo8Mono(benchmark::State& state) {
  constexpr uint32_t kRate = 22050;
  pcmmix::WaveFormat source{pcmmix::kFormatPcm, 2, kRate, kRate * 4, 4, 16};
  pcmmix::WaveFormat target{pcmmix::kFormatPcm, 1, kRate, kRate, 1, 8};
  std::vector<uint8_t> input(2 * kRate * 4);
  std::mt19937 rng(2);
  for (auto& b : input) b = static_cast<uint8_t>(rng());
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<uint8_t> copy(input);
    state.ResumeTiming();
    std::vector<uint8_t> out = pcmmix::ConvertFormat(target, source, std::move(copy));
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_Convert16StereoTo8Mono);
#endif

} // namespace

BENCHMARK_MAIN();
