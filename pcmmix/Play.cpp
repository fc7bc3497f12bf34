// Queueing plays on channels, flushing channels and releasing waves.
#include <algorithm>

#include "pcmmix/MixState.h"

namespace pcmmix {
namespace {

int ChooseLeastRecentChannel(const MixSession& s) {
  int best = 0;
  while (best < kChannelCount - 1 && !s.channelOpen[best]) ++best;
  for (int k = 0; k < kChannelCount; ++k) {
    if (!s.channelOpen[k]) continue;
    if (s.queue[best] == nullptr) break; // best is open and idle
    if (k != best && s.stamps[k] < s.stamps[best]) best = k;
  }
  return best;
}

int ChannelOf(MixSession& s, PlayRequest& request) {
  if (request.flags & PlayLeastRecentChannel) {
    request.channel = ChooseLeastRecentChannel(s);
    return request.channel;
  }
  if (request.channel < 0 || request.channel >= kChannelCount) Fail(text::kInvalidChannel);
  return request.channel;
}

bool AnyChannelHoldsEntries(const MixSession& s) {
  for (int ch = 0; ch < kChannelCount; ++ch)
    if (s.channelOpen[ch] && s.queue[ch]) return true;
  return false;
}

PlayEntry* LastOf(PlayEntry* e) {
  while (e->next) e = e->next;
  return e;
}

struct Placement {
  bool remix = false;
  int64_t start = 0;
  PlayEntry* entry = nullptr;
};

// Puts one pending entry on its channel's queue; gives false when the
// channel was closed while the entry waited.
bool PlaceEntry(MixSession& s, PlayEntry* e, int64_t now, Placement& placement) {
  int ch = e->request.channel;
  if (!s.channelOpen[ch]) {
    ReturnEntry(e);
    return false;
  }
  bool atOnce = e->request.flags & PlayAtOnce;
  int64_t start;
  if (e->request.flags & PlayReplace) {
    DropQueue(s.queue[ch]);
    s.queue[ch] = e;
    if (AnySubmitted()) placement.remix = true;
    start = atOnce ? now : s.mixPosition;
  } else {
    if (s.queue[ch]) {
      PlayEntry* last = LastOf(s.queue[ch]);
      last->next = e;
      start = atOnce ? last->end : std::max(s.mixPosition, last->end);
    } else {
      s.queue[ch] = e;
      start = atOnce ? now : s.mixPosition;
    }
    if (s.mixPosition > start) placement.remix = true;
  }
  e->start = start;
  e->end = EndOfPlay(*e);
  placement.start = start;
  placement.entry = e;
  return true;
}

void FillEntry(PlayEntry* e, const PlayRequest& request, int channel) {
  e->next = nullptr;
  e->request = request;
  e->request.channel = channel;
  e->wave = request.wave;
  e->length = request.wave->length;
  e->samples = request.wave->samples.data();
}

void StartPending(MixSession& s) {
  if (!AnySubmitted() && !AnyChannelHoldsEntries(s)) SetPlayPosition(s, 0);
  int64_t now = ReadPlayPosition(s, s.goodWavePos);
  Placement placement;
  while (PlayEntry* e = TakeOldestPending(s)) PlaceEntry(s, e, now, placement);
  if (placement.remix) {
    Remix(s, placement.start, placement.entry);
    return;
  }
  bool paused = false;
  if (!AnySubmitted()) {
    s.device->Pause();
    paused = true;
  }
  try {
    FillFreeBlocks(s);
  } catch (...) {
    if (paused) s.device->Restart();
    throw;
  }
  if (paused) s.device->Restart();
}

// Removes every entry of the wave from a list linked through next.
void DropWaveFrom(PlayEntry*& head, const LoadedWave* wave) {
  PlayEntry** link = &head;
  while (PlayEntry* e = *link) {
    if (e->wave == wave) {
      *link = e->next;
      ReturnEntry(e);
    } else {
      link = &e->next;
    }
  }
}

void DropWaveFromPending(MixSession& s, const LoadedWave* wave) {
  PlayEntry* kept = nullptr; // rebuilt in order
  PlayEntry* keptTail = nullptr;
  while (PlayEntry* e = TakeOldestPending(s)) {
    if (e->wave == wave) {
      ReturnEntry(e);
      continue;
    }
    if (keptTail) keptTail->next = e;
    else kept = e;
    keptTail = e;
  }
  while (PlayEntry* e = kept) {
    kept = e->next;
    AppendPending(s, e);
  }
}

} // namespace

void PcmMixPlay(PlayRequest* request) {
  if (!request) Fail(text::kNilRequest);
  MixSession& s = ValidateSession(request->session);
  Unit().current = &s;
  if (!request->wave) Fail(text::kNilWave);
  if (!s.active) Fail(text::kNotActive);
  if (s.openChannels == 0) Fail(text::kNoChannelOpen);
  int channel = ChannelOf(s, *request);
  ++s.playCount;
  s.stamps[channel] = s.playCount;
  if (!s.channelOpen[channel]) Fail(text::kChannelNotOpen);
  PlayEntry* e = TakeEntry();
  if (!e) Fail(text::kNoEntry);
  FillEntry(e, *request, channel);
  AppendPending(s, e);
  if (request->flags & PlayDeferred) return;
  StartPending(s);
}

void PcmMixChannelFlush(hMixSession session, int32_t channel, uint32_t flags) {
  MixSession& s = ValidateSession(session);
  Unit().current = &s;
  int dropped = 0;
  if (flags & ChannelsAll) {
    for (int ch = 0; ch < kChannelCount; ++ch)
      if (s.channelOpen[ch]) dropped += DropQueue(s.queue[ch]);
  } else {
    if (channel < 0 || channel >= kChannelCount) Fail(text::kInvalidChannel);
    if (!s.channelOpen[channel]) Fail(text::kChannelNotOpen);
    dropped = DropQueue(s.queue[channel]);
  }
  if (dropped > 0 && !(flags & FlushNoRemix) && s.active)
    Remix(s, ReadPlayPosition(s, s.goodWavePos), nullptr);
}

void PcmMixWaveFree(hMixSession session, LoadedWave* wave) {
  MixSession& s = ValidateSession(session);
  if (!wave) Fail(text::kBadWavePointer);
  for (int ch = 0; ch < kChannelCount; ++ch)
    if (s.channelOpen[ch]) DropWaveFrom(s.queue[ch], wave);
  DropWaveFromPending(s, wave);
  delete wave;
}

} // namespace pcmmix
