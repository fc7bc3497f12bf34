// Output blocks: taking a free one and the queue of blocks the device holds.
#include "pcmmix/MixState.h"

namespace pcmmix {

OutputBlock* TakeBlock(MixSession& s) {
  MixerUnit& u = Unit();
  for (int i = 0; i < s.blockCount; ++i) {
    OutputBlock* b = u.blocks[i];
    if (b && b->free) {
      b->free = 0;
      b->header.bufferLength = uint32_t(s.blockLength);
      b->header.data = b->data;
      b->owner = u.owner;
      return b;
    }
  }
  return nullptr;
}

bool AnySubmitted() { return Unit().queueHead != nullptr; }

void AppendSubmitted(OutputBlock* block) {
  MixerUnit& u = Unit();
  // A block already queued would link to itself and hang every walk.
  for (OutputBlock* b = u.queueHead; b; b = b->next)
    if (b == block) return;
  block->next = nullptr;
  if (u.queueTail) u.queueTail->next = block;
  else u.queueHead = block;
  u.queueTail = block;
}

void RemoveSubmitted(OutputBlock* block) {
  MixerUnit& u = Unit();
  OutputBlock* prev = nullptr;
  for (OutputBlock* b = u.queueHead; b; prev = b, b = b->next) {
    if (b != block) continue;
    if (prev) prev->next = b->next;
    else u.queueHead = b->next;
    if (u.queueTail == b) u.queueTail = prev;
    b->next = nullptr;
    return;
  }
}

void DropSubmitted() {
  MixerUnit& u = Unit();
  while (OutputBlock* b = u.queueHead) {
    u.queueHead = b->next;
    b->next = nullptr;
    b->free = 1;
  }
  u.queueTail = nullptr;
}

void WriteToDevice(MixSession& s, OutputBlock* block) {
  block->header.streamStart = block->start;
  block->header.startsLine = s.outputEnded;
  s.outputEnded = false;
  if (!s.device || s.device->Write(&block->header) != 0) {
    block->free = 1;
    RemoveSubmitted(block);
    Fail(text::kWriteBlock);
  }
}

} // namespace pcmmix
