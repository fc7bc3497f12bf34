// The fixed pool of play entries and the pending-play list.
#include <algorithm>

#include "pcmmix/MixState.h"

namespace pcmmix {

void LinkFreeEntries() {
  MixerUnit& u = Unit();
  for (int i = 0; i < kPlayEntryCount; ++i) {
    u.pool[i] = PlayEntry{};
    u.pool[i].next = i + 1 < kPlayEntryCount ? &u.pool[i + 1] : nullptr;
  }
  u.freeEntries = &u.pool[0];
}

PlayEntry* TakeEntry() {
  MixerUnit& u = Unit();
  PlayEntry* e = u.freeEntries;
  if (e) {
    u.freeEntries = e->next;
    e->next = nullptr;
  }
  return e;
}

void ReturnEntry(PlayEntry* entry) {
  MixerUnit& u = Unit();
  entry->next = u.freeEntries;
  u.freeEntries = entry;
}

int DropQueue(PlayEntry*& head) {
  int dropped = 0;
  while (PlayEntry* e = head) {
    head = e->next;
    ReturnEntry(e);
    ++dropped;
  }
  return dropped;
}

// The pending list is circular: the tail links to the oldest entry.
void AppendPending(MixSession& s, PlayEntry* entry) {
  if (!s.pendingTail) {
    entry->next = entry;
  } else {
    entry->next = s.pendingTail->next;
    s.pendingTail->next = entry;
  }
  s.pendingTail = entry;
}

PlayEntry* TakeOldestPending(MixSession& s) {
  PlayEntry* tail = s.pendingTail;
  if (!tail) return nullptr;
  PlayEntry* head = tail->next;
  if (head == tail) s.pendingTail = nullptr;
  else tail->next = head->next;
  head->next = nullptr;
  return head;
}

int64_t EndOfPlay(const PlayEntry& e) {
  if (e.request.loops == LoopsEndless || e.start == kNeverEnds) return kNeverEnds;
  int64_t span = (int64_t(e.request.loops) + 1) * e.length - 1;
  return e.start + std::max<int64_t>(span, 0);
}

} // namespace pcmmix
