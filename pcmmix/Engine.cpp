// Mixing channels into output blocks, rebuilding submitted output, and the
// service that runs for every block the device returns.
#include <algorithm>
#include <cstring>

#include "pcmmix/MixState.h"
#include "pcmmix/kernel/MixSources.h"

namespace pcmmix {
namespace {

// The entries sounding in one block, at most one per channel.
struct ActiveSet {
  PlayEntry* entries[kChannelCount];
  int count = 0;
  int64_t nextStart = kNeverEnds;

  void Collect(const MixSession& s) {
    for (int ch = 0; ch < kChannelCount; ++ch) {
      if (!s.channelOpen[ch]) continue;
      PlayEntry* e = s.queue[ch];
      while (e && e->end <= s.mixPosition) e = e->next;
      if (e) entries[count++] = e;
    }
    RecomputeNextStart();
  }

  void RecomputeNextStart() {
    nextStart = kNeverEnds;
    for (int i = 0; i < count; ++i) nextStart = std::min(nextStart, entries[i]->start);
  }

  // Entries that have ended give way to their successors; a channel with no
  // successor leaves the set.
  void Refresh(int64_t pos) {
    for (int i = 0; i < count;) {
      PlayEntry* e = entries[i];
      while (e && e->end <= pos) e = e->next;
      if (e) {
        entries[i++] = e;
      } else {
        entries[i] = entries[--count];
      }
    }
    RecomputeNextStart();
  }
};

// Mixes the span [pos, chunk end) where at least one entry has started;
// gives the bytes written.
int64_t MixChunk(ActiveSet& set, int64_t pos, int64_t remaining, uint8_t* out) {
  int64_t chunkEnd = pos + remaining;
  const uint8_t* sources[kChannelCount];
  int n = 0;
  for (int i = 0; i < set.count; ++i) {
    PlayEntry* e = set.entries[i];
    if (pos < e->start) {
      chunkEnd = std::min(chunkEnd, e->start);
      continue;
    }
    chunkEnd = std::min(chunkEnd, e->end);
    if (e->length == 0) continue; // sounds nothing, only holds its channel
    int64_t offset = pos - e->start;
    if (e->request.loops != 0) {
      offset %= e->length;
      chunkEnd = std::min(chunkEnd, pos + e->length - offset);
    }
    sources[n++] = e->samples + offset;
  }
  int64_t count = std::max<int64_t>(chunkEnd - pos, 0);
  if (n == 0) std::memset(out, 128, size_t(count));
  else if (count > 0) MixSources(out, sources, n, int(count));
  set.Refresh(pos + count);
  return count;
}

void ReturnDoneBlocks() {
  MixerUnit& u = Unit();
  OutputBlock* b = u.queueHead;
  while (b) {
    if (b->header.flags & kHeaderDone) {
      RemoveSubmitted(b);
      b->free = 1;
      b = u.queueHead;
    } else {
      b = b->next;
    }
  }
}

class Callback final : public MessageHandler {
public:
  intptr_t WindowProc(uint32_t message, uintptr_t, uintptr_t) override {
    if (message != kMessageBlockDone) return 0;
    Unit().current = Unit().owner;
    // No caller to hear a failure here: the block went back to the free ones
    // and the next service tries again.
    try {
      ServiceDevice();
    } catch (const EPcmMixError&) {
    }
    return 0;
  }
};

} // namespace

bool MixBlock(MixSession& s, OutputBlock* block, bool submit) {
  if (!block) return false;
  ActiveSet set;
  set.Collect(s);
  if (set.count == 0) {
    if (submit) block->free = 1;
    // Whatever plays next comes after the mixer's own silence.
    s.outputEnded = true;
    return false;
  }
  int64_t pos = s.mixPosition;
  int64_t remaining = s.blockLength;
  uint8_t* out = block->data;
  while (remaining > 0) {
    int64_t written;
    if (pos < set.nextStart) {
      written = std::min(remaining, set.nextStart - pos);
      std::memset(out, 128, size_t(written));
    } else {
      written = MixChunk(set, pos, remaining, out);
    }
    pos += written;
    remaining -= written;
    out += written;
  }
  block->start = s.mixPosition;
  s.mixPosition += s.blockLength;
  if (submit) {
    AppendSubmitted(block);
    WriteToDevice(s, block);
  }
  return true;
}

void FillFreeBlocks(MixSession& s) {
  while (OutputBlock* b = TakeBlock(s))
    if (!MixBlock(s, b, true)) break;
}

void RemixRewrite(MixSession& s, int64_t start) {
  s.mixPosition = start;
  DropSubmitted();
  while (OutputBlock* b = TakeBlock(s)) {
    if (!MixBlock(s, b, false)) {
      b->free = 1;
      break;
    }
    AppendSubmitted(b);
  }
  int64_t kept = s.mixPosition;
  ResetDevice(s);
  s.mixPosition = kept;
  s.device->Pause();
  try {
    for (OutputBlock* b = Unit().queueHead; b;) {
      OutputBlock* next = b->next;
      WriteToDevice(s, b);
      b = next;
    }
  } catch (...) {
    s.device->Restart();
    throw;
  }
  s.device->Restart();
}

void RemixShift(MixSession& s, int64_t, PlayEntry* entry) {
  if (entry) {
    // Both ends move together: the end follows from the new start by the
    // play's own length and loops, so a play that waited behind an endless
    // one (and so had no end yet) gets the end its loops give it.
    entry->start = s.mixPosition;
    entry->end = EndOfPlay(*entry);
  }
  ServiceDevice();
}

void Remix(MixSession& s, int64_t start, PlayEntry* entry) {
  if (s.remix == RemixStrategy::Shift) RemixShift(s, start, entry);
  else RemixRewrite(s, start);
}

void ServiceDevice() {
  MixerUnit& u = Unit();
  u.current = u.owner;
  MixSession* s = u.owner;
  if (!s || !s->device) return;
  ReturnDoneBlocks();
  ReleaseFinished(*s);
  FillFreeBlocks(*s);
}

void ReleaseFinished(MixSession& s) {
  int64_t p = ReadPlayPosition(s, 1);
  for (int ch = 0; ch < kChannelCount; ++ch) {
    if (!s.channelOpen[ch]) continue;
    while (PlayEntry* e = s.queue[ch]) {
      if (e->end > p) break;
      s.queue[ch] = e->next;
      if (e->request.notify)
        Unit().messages->Post(e->request.notify, kMessageBlockDone, uintptr_t(ch),
                              reinterpret_cast<uintptr_t>(e->wave));
      ReturnEntry(e);
    }
  }
}

MessageHandler& CallbackProcedure() {
  static Callback callback;
  return callback;
}

} // namespace pcmmix
