// The 32-byte path of MixSources, compiled for AVX2 function by function so
// the rest of the program keeps the x86-64 baseline. Same scheme as the SSE2
// path (see MixSources.cpp).
#include <immintrin.h>

#include <cstring>

#include "pcmmix/kernel/MixSources.h"
#include "pcmmix/kernel/MixSourcesInternal.h"

#define IKEASOBI_AVX2 __attribute__((target("avx2")))

namespace pcmmix {
namespace {

IKEASOBI_AVX2 inline __m256i Load32(const uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

IKEASOBI_AVX2 inline void Store32(uint8_t* out, __m256i all, __m256i odd, __m256i bias) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i top = _mm256_set1_epi16(255);
  __m256i even = _mm256_sub_epi16(all, _mm256_slli_epi16(odd, 8));
  even = _mm256_min_epi16(_mm256_max_epi16(_mm256_sub_epi16(even, bias), zero), top);
  odd = _mm256_min_epi16(_mm256_max_epi16(_mm256_sub_epi16(odd, bias), zero), top);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                      _mm256_or_si256(even, _mm256_slli_epi16(odd, 8)));
}

template <int N>
IKEASOBI_AVX2 int MixAvx2Fixed(uint8_t* out, const uint8_t* const* sources, int count) {
  const uint8_t* s[N];
  for (int i = 0; i < N; ++i) s[i] = sources[i];
  const __m256i bias = _mm256_set1_epi16(static_cast<short>(128 * (N - 1)));
  int k = 0;
  for (; k + 32 <= count; k += 32) {
    __m256i all = Load32(s[0] + k);
    __m256i odd = _mm256_srli_epi16(all, 8);
    for (int i = 1; i < N; ++i) {
      const __m256i x = Load32(s[i] + k);
      all = _mm256_add_epi16(all, x);
      odd = _mm256_add_epi16(odd, _mm256_srli_epi16(x, 8));
    }
    Store32(out + k, all, odd, bias);
  }
  return k;
}

IKEASOBI_AVX2 int MixAvx2Any(uint8_t* out, const uint8_t* const* sources, int n, int count) {
  const __m256i bias = _mm256_set1_epi16(static_cast<short>(128 * (n - 1)));
  int k = 0;
  for (; k + 32 <= count; k += 32) {
    __m256i all = _mm256_setzero_si256();
    __m256i odd = _mm256_setzero_si256();
    for (int i = 0; i < n; ++i) {
      const __m256i x = Load32(sources[i] + k);
      all = _mm256_add_epi16(all, x);
      odd = _mm256_add_epi16(odd, _mm256_srli_epi16(x, 8));
    }
    Store32(out + k, all, odd, bias);
  }
  return k;
}

} // namespace

void MixSourcesAvx2(uint8_t* out, const uint8_t* const* sources, int n, int count) {
  if (count <= 0) return;
  if (n <= 0) {
    FillSilence(out, count);
    return;
  }
  if (n == 1) {
    if (out != sources[0]) std::memcpy(out, sources[0], static_cast<size_t>(count));
    return;
  }
  if (n > detail::kMaxVectorSources) {
    detail::MixScalarFrom(out, sources, n, 0, count);
    return;
  }
  int k;
  switch (n) {
    case 2: k = MixAvx2Fixed<2>(out, sources, count); break;
    case 3: k = MixAvx2Fixed<3>(out, sources, count); break;
    case 4: k = MixAvx2Fixed<4>(out, sources, count); break;
    case 5: k = MixAvx2Fixed<5>(out, sources, count); break;
    case 6: k = MixAvx2Fixed<6>(out, sources, count); break;
    case 7: k = MixAvx2Fixed<7>(out, sources, count); break;
    case 8: k = MixAvx2Fixed<8>(out, sources, count); break;
    default: k = MixAvx2Any(out, sources, n, count); break;
  }
  detail::MixSse2From(out, sources, n, k, count);
}

} // namespace pcmmix
