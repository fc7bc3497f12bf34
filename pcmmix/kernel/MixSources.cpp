#include "pcmmix/kernel/MixSources.h"

#include <emmintrin.h>

#include <cstring>

#include "pcmmix/kernel/MixSourcesInternal.h"

// Vector scheme, shared with the AVX2 path: each 16-bit lane holds two
// neighbouring output bytes. Per source we add the raw 16-bit word to `all`
// (the low byte's carries spill into the high byte, which is harmless modulo
// 2^16) and the high byte alone to `odd`. The low bytes' sum is then
// all - (odd << 8), exact because it stays below 2^16. Three vector
// operations per source and no unpacking keep the loop close to the load
// rate. Both sums minus 128 * (n - 1) are clipped to 0..255 once at the end.

namespace pcmmix {
namespace detail {

void MixScalarFrom(uint8_t* out, const uint8_t* const* sources, int n, int begin, int count) {
  const int bias = 128 * (n - 1);
  for (int k = begin; k < count; ++k) {
    int v = -bias;
    for (int i = 0; i < n; ++i) v += sources[i][k];
    out[k] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
  }
}

namespace {

inline __m128i Load16(const uint8_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline void Store16(uint8_t* out, __m128i all, __m128i odd, __m128i bias) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i top = _mm_set1_epi16(255);
  __m128i even = _mm_sub_epi16(all, _mm_slli_epi16(odd, 8));
  even = _mm_min_epi16(_mm_max_epi16(_mm_sub_epi16(even, bias), zero), top);
  odd = _mm_min_epi16(_mm_max_epi16(_mm_sub_epi16(odd, bias), zero), top);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_or_si128(even, _mm_slli_epi16(odd, 8)));
}

// Fixed source counts let the compiler keep every source pointer in a
// register and unroll the inner sum.
template <int N>
int MixSse2Fixed(uint8_t* out, const uint8_t* const* sources, int k, int count) {
  const uint8_t* s[N];
  for (int i = 0; i < N; ++i) s[i] = sources[i];
  const __m128i bias = _mm_set1_epi16(static_cast<short>(128 * (N - 1)));
  for (; k + 16 <= count; k += 16) {
    __m128i all = Load16(s[0] + k);
    __m128i odd = _mm_srli_epi16(all, 8);
    for (int i = 1; i < N; ++i) {
      const __m128i x = Load16(s[i] + k);
      all = _mm_add_epi16(all, x);
      odd = _mm_add_epi16(odd, _mm_srli_epi16(x, 8));
    }
    Store16(out + k, all, odd, bias);
  }
  return k;
}

int MixSse2Any(uint8_t* out, const uint8_t* const* sources, int n, int k, int count) {
  const __m128i bias = _mm_set1_epi16(static_cast<short>(128 * (n - 1)));
  for (; k + 16 <= count; k += 16) {
    __m128i all = _mm_setzero_si128();
    __m128i odd = _mm_setzero_si128();
    for (int i = 0; i < n; ++i) {
      const __m128i x = Load16(sources[i] + k);
      all = _mm_add_epi16(all, x);
      odd = _mm_add_epi16(odd, _mm_srli_epi16(x, 8));
    }
    Store16(out + k, all, odd, bias);
  }
  return k;
}

} // namespace

void MixSse2From(uint8_t* out, const uint8_t* const* sources, int n, int begin, int count) {
  int k = begin;
  switch (n) {
    case 2: k = MixSse2Fixed<2>(out, sources, k, count); break;
    case 3: k = MixSse2Fixed<3>(out, sources, k, count); break;
    case 4: k = MixSse2Fixed<4>(out, sources, k, count); break;
    case 5: k = MixSse2Fixed<5>(out, sources, k, count); break;
    case 6: k = MixSse2Fixed<6>(out, sources, k, count); break;
    case 7: k = MixSse2Fixed<7>(out, sources, k, count); break;
    case 8: k = MixSse2Fixed<8>(out, sources, k, count); break;
    default: k = MixSse2Any(out, sources, n, k, count); break;
  }
  MixScalarFrom(out, sources, n, k, count);
}

} // namespace detail

namespace {

using MixFn = void (*)(uint8_t*, const uint8_t* const*, int, int);

// Handles what every path shares: silence, the single-source copy and the
// source counts too large for 16-bit lanes. Returns true when done.
inline bool MixTrivial(uint8_t* out, const uint8_t* const* sources, int n, int count) {
  if (count <= 0) return true;
  if (n <= 0) {
    FillSilence(out, count);
    return true;
  }
  if (n == 1) {
    if (out != sources[0]) std::memcpy(out, sources[0], static_cast<size_t>(count));
    return true;
  }
  if (n > detail::kMaxVectorSources) {
    detail::MixScalarFrom(out, sources, n, 0, count);
    return true;
  }
  return false;
}

bool DetectAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

const bool gHasAvx2 = DetectAvx2();

} // namespace

bool CpuHasAvx2() { return gHasAvx2; }

void FillSilence(uint8_t* out, int count) {
  if (count > 0) std::memset(out, 128, static_cast<size_t>(count));
}

void MixSourcesReference(uint8_t* out, const uint8_t* const* sources, int n, int count) {
  for (int k = 0; k < count; ++k) {
    int v = 128;
    for (int i = 0; i < n; ++i) v += sources[i][k] - 128;
    out[k] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
  }
}

void MixSourcesSse2(uint8_t* out, const uint8_t* const* sources, int n, int count) {
  if (MixTrivial(out, sources, n, count)) return;
  detail::MixSse2From(out, sources, n, 0, count);
}

void MixSources(uint8_t* out, const uint8_t* const* sources, int n, int count) {
  if (MixTrivial(out, sources, n, count)) return;
  if (gHasAvx2)
    MixSourcesAvx2(out, sources, n, count);
  else
    detail::MixSse2From(out, sources, n, 0, count);
}

} // namespace pcmmix
