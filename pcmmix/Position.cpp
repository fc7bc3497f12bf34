// The output position everything is timed on: from the device's count of
// bytes played (mode 1) or from the millisecond clock.
#include "pcmmix/MixState.h"
#include "pcmmix/MsClock.h"

namespace pcmmix {
namespace {

int64_t DevicePlayed(MixSession& s) {
  uint64_t played = 0;
  if (s.device && s.device->GetPositionBytes(played) != 0) played = 0;
  return int64_t(played);
}

} // namespace

int64_t ReadPlayPosition(MixSession& s, int mode) {
  if (mode == 1) {
    int64_t played = DevicePlayed(s);
    return s.adjustAdd ? played + s.positionOffset : played - s.positionOffset;
  }
  uint32_t elapsed = Unit().clock->NowMs() - s.timeBase;
  int64_t p = int64_t(elapsed) * s.format.avgBytesPerSec / 1000;
  if (s.format.blockAlign > 1 && (p & 1)) --p;
  return p;
}

void SetPlayPosition(MixSession& s, int64_t position) {
  int64_t played = DevicePlayed(s);
  if (position > played) {
    s.positionOffset = position - played;
    s.adjustAdd = true;
  } else {
    s.positionOffset = played - position;
    s.adjustAdd = false;
  }
  int64_t ms = s.format.avgBytesPerSec ? position * 1000 / s.format.avgBytesPerSec : 0;
  s.timeBase = Unit().clock->NowMs() - uint32_t(ms);
  s.mixPosition = position;
}

void ResetDevice(MixSession& s) {
  int64_t p = ReadPlayPosition(s, s.goodWavePos);
  if (s.device) s.device->Reset();
  SetPlayPosition(s, p);
}

} // namespace pcmmix
