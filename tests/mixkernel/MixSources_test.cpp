#include "pcmmix/kernel/MixSources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace pcmmix {
namespace {

using MixFn = void (*)(uint8_t*, const uint8_t* const*, int, int);

struct Path {
  const char* name;
  MixFn fn;
};

std::vector<Path> VectorPaths() {
  std::vector<Path> paths{{"dispatch", MixSources}, {"sse2", MixSourcesSse2}};
  if (CpuHasAvx2()) paths.push_back({"avx2", MixSourcesAvx2});
  return paths;
}

// Eight sources with room for guard bytes and misalignment around each span.
struct Spans {
  static constexpr int kGuard = 64;
  std::vector<std::vector<uint8_t>> storage;
  std::vector<const uint8_t*> src;

  Spans(int count, int offset, const std::function<uint8_t(int, int)>& byte) {
    for (int i = 0; i < 8; ++i) {
      storage.emplace_back(count + 2 * kGuard, 0xA5);
      uint8_t* p = storage.back().data() + kGuard + (offset + i) % 32;
      for (int k = 0; k < count; ++k) p[k] = byte(i, k);
      src.push_back(p);
    }
  }
};

// Runs fn and the reference on the same spans; the output keeps its guard
// bytes, so a path that writes past count is caught too.
void ExpectSameAsReference(const Path& path, const Spans& s, int n, int count, int outOffset) {
  std::vector<uint8_t> want(count + 2 * Spans::kGuard, 0x5A);
  std::vector<uint8_t> got(want);
  MixSourcesReference(want.data() + Spans::kGuard + outOffset, s.src.data(), n, count);
  path.fn(got.data() + Spans::kGuard + outOffset, s.src.data(), n, count);
  ASSERT_EQ(want, got) << path.name << " n=" << n << " count=" << count << " outOffset=" << outOffset;
}

TEST(MixSourcesReference, sumsDeviationsFromSilenceAndClipsOnce) {
  const uint8_t a[] = {200, 255, 0, 100, 128, 250};
  const uint8_t b[] = {100, 255, 0, 200, 128, 10};
  const uint8_t c[] = {100, 0, 255, 128, 128, 10};
  const uint8_t* src[] = {a, b, c};
  std::vector<uint8_t> out(6);
  MixSourcesReference(out.data(), src, 3, 6);
  // 200+100+100-256 = 144; 255+255+0-256 = 254; 0+0+255-256 clips to 0;
  // 100+200+128-256 = 172; all silent: 128; 250+10+10-256 = 14 (the loud
  // byte is pulled back by the quiet ones before anything clips).
  EXPECT_EQ((std::vector<uint8_t>{144, 254, 0, 172, 128, 14}), out);
}

TEST(MixSources, noSourcesFillSilenceAndOneSourceIsCopied) {
  const uint8_t a[] = {0, 1, 127, 128, 255, 77, 3};
  const uint8_t* src[] = {a};
  for (const Path& p : VectorPaths()) {
    uint8_t out[7];
    std::memset(out, 0, sizeof out);
    p.fn(out, src, 0, 7);
    for (uint8_t v : out) EXPECT_EQ(128, v) << p.name;
    p.fn(out, src, 1, 7);
    EXPECT_EQ(0, std::memcmp(out, a, 7)) << p.name;
  }
}

TEST(MixSources, eightFullScaleSourcesClipAt255AndEightSilentOnesStayAt0) {
  for (const Path& p : VectorPaths()) {
    for (uint8_t level : {uint8_t{255}, uint8_t{0}}) {
      std::vector<std::vector<uint8_t>> data(8, std::vector<uint8_t>(100, level));
      std::vector<const uint8_t*> src;
      for (auto& d : data) src.push_back(d.data());
      std::vector<uint8_t> out(100, 42);
      p.fn(out.data(), src.data(), 8, 100);
      for (uint8_t v : out) ASSERT_EQ(level, v) << p.name;
    }
  }
}

TEST(MixSources, clipsOnlyTheFinalSumNotPartialSums) {
  // Running sums pass 255 after the loud sources; the total comes back to 125.
  const uint8_t levels[] = {255, 255, 255, 0, 0, 0};
  for (const Path& p : VectorPaths()) {
    std::vector<std::vector<uint8_t>> data;
    std::vector<const uint8_t*> src;
    for (uint8_t l : levels) data.emplace_back(64, l);
    for (auto& d : data) src.push_back(d.data());
    std::vector<uint8_t> out(64);
    p.fn(out.data(), src.data(), 6, 64);
    for (uint8_t v : out) ASSERT_EQ(125, v) << p.name;
  }
}

TEST(MixSources, matchesReferenceOnRandomDataForEverySourceCountAndLength) {
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> byte(0, 255);
  const int counts[] = {0, 1, 2, 15, 16, 17, 31, 32, 33, 47, 63, 64, 65, 100, 255, 1000, 2048, 2049};
  for (int count : counts) {
    for (int offset : {0, 1, 7, 13}) {
      Spans s(count, offset, [&](int, int) { return static_cast<uint8_t>(byte(rng)); });
      for (int n = 0; n <= 8; ++n)
        for (const Path& p : VectorPaths()) ExpectSameAsReference(p, s, n, count, offset + 3);
    }
  }
}

TEST(MixSources, matchesReferenceOnExtremeLevels) {
  // Patterns mixing 0 and 255 per source and per byte reach both clipping
  // edges and every carry case of the paired 16-bit lanes.
  std::mt19937 rng(99);
  std::bernoulli_distribution loud(0.5);
  for (int count : {31, 64, 129, 2048}) {
    Spans mixed(count, 5, [&](int, int) { return loud(rng) ? uint8_t{255} : uint8_t{0}; });
    Spans evenLoud(count, 0, [](int, int k) { return k % 2 ? uint8_t{0} : uint8_t{255}; });
    Spans nearEdges(count, 9, [&](int i, int k) { return static_cast<uint8_t>((i + k) % 3 == 0 ? 1 : 254); });
    for (int n = 2; n <= 8; ++n)
      for (const Path& p : VectorPaths()) {
        ExpectSameAsReference(p, mixed, n, count, 1);
        ExpectSameAsReference(p, evenLoud, n, count, 0);
        ExpectSameAsReference(p, nearEdges, n, count, 2);
      }
  }
}

TEST(MixSources, manySourcesBeyondEightStillMatchReference) {
  std::mt19937 rng(7);
  std::vector<std::vector<uint8_t>> data(300, std::vector<uint8_t>(70));
  std::vector<const uint8_t*> src;
  for (auto& d : data) {
    for (auto& b : d) b = static_cast<uint8_t>(rng() % 3 == 0 ? 255 : rng());
    src.push_back(d.data());
  }
  for (int n : {9, 16, 100, 255, 256, 300}) {
    std::vector<uint8_t> want(70), got(70);
    MixSourcesReference(want.data(), src.data(), n, 70);
    for (const Path& p : VectorPaths()) {
      p.fn(got.data(), src.data(), n, 70);
      ASSERT_EQ(want, got) << p.name << " n=" << n;
    }
  }
}

TEST(MixSources, outputMayBeTheFirstSource) {
  std::vector<uint8_t> a(77), b(77);
  for (int k = 0; k < 77; ++k) {
    a[k] = static_cast<uint8_t>(k * 3);
    b[k] = static_cast<uint8_t>(255 - k);
  }
  const uint8_t* ref[] = {a.data(), b.data()};
  std::vector<uint8_t> want(77);
  MixSourcesReference(want.data(), ref, 2, 77);
  for (const Path& p : VectorPaths()) {
    std::vector<uint8_t> inPlace(a);
    const uint8_t* src[] = {inPlace.data(), b.data()};
    p.fn(inPlace.data(), src, 2, 77);
    EXPECT_EQ(want, inPlace) << p.name;
    const uint8_t* one[] = {inPlace.data()};
    p.fn(inPlace.data(), one, 1, 77);
    EXPECT_EQ(want, inPlace) << p.name;
  }
}

TEST(FillSilence, writesExactlyCountBytesOf128) {
  std::vector<uint8_t> buf(40, 7);
  FillSilence(buf.data() + 3, 33);
  for (int k = 0; k < 40; ++k) EXPECT_EQ(k >= 3 && k < 36 ? 128 : 7, buf[k]) << k;
  FillSilence(buf.data(), 0);
  FillSilence(buf.data(), -5);
  EXPECT_EQ(7, buf[0]);
}

} // namespace
} // namespace pcmmix
