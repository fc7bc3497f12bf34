#pragma once
// The mixer's unit-wide state: one session, the six output blocks, the
// submitted-block queue and the pool of play entries.
#include <climits>
#include <cstdint>
#include <memory>
#include <string>

#include "pcmmix/PcmMix.h"
#include "pcmmix/WaveDevice.h"

namespace pcmmix {

inline constexpr uint16_t kSessionMagic = 0x5432;
inline constexpr int kBlockDataBytes = 4096;
inline constexpr int kOutputBlockCount = 6;
inline constexpr int kPlayEntryCount = 100;
// End of a play that never ends. Positions are 64-bit, so the time line
// cannot run out while an endless play holds it.
inline constexpr int64_t kNeverEnds = INT64_MAX;

enum class RemixStrategy { Rewrite, Shift };

struct PlayEntry {
  PlayEntry* next = nullptr;
  PlayRequest request;
  LoadedWave* wave = nullptr;
  int32_t length = 0;
  int64_t start = 0;
  int64_t end = 0;
  const uint8_t* samples = nullptr;
};

struct OutputBlock {
  WaveHeader header;
  uint8_t free = 1;
  int64_t start = 0;
  MixSession* owner = nullptr;
  OutputBlock* next = nullptr;
  uint8_t data[kBlockDataBytes];
};

} // namespace pcmmix

struct pcmmix::MixSession {
  uint16_t magic1 = 0;
  WindowHandle callbackWindow = 0;
  std::unique_ptr<WaveOut> device;
  uint8_t active = 0;
  int32_t deviceNumber = 0;
  std::string section;
  bool channelOpen[kChannelCount] = {};
  PlayEntry* queue[kChannelCount] = {};
  int32_t openChannels = 0;
  int32_t stamps[kChannelCount] = {};
  int32_t playCount = 0;
  WaveFormat format;
  int32_t blockLength = 0;
  int32_t blockCount = 0;
  int64_t mixPosition = 0;
  // The last block asked for found nothing to mix: the next one written
  // starts a new line for the device's underrun count.
  bool outputEnded = true;
  uint32_t timeBase = 0;
  uint8_t goodWavePos = 0;
  int64_t positionOffset = 0;
  RemixStrategy remix = RemixStrategy::Rewrite;
  bool adjustAdd = true;
  PlayEntry* pendingTail = nullptr;
  uint16_t magic2 = 0;
};

namespace pcmmix {

struct MixerUnit {
  MixSession* current = nullptr;
  MixSession* owner = nullptr;
  MixSession* live = nullptr; // the one session that exists, if any
  OutputBlock* blocks[kOutputBlockCount] = {};
  OutputBlock* queueHead = nullptr;
  OutputBlock* queueTail = nullptr;
  PlayEntry pool[kPlayEntryCount];
  PlayEntry* freeEntries = nullptr;
  WaveSystem* waveSystem = nullptr;
  MsClock* clock = nullptr;
  MessageQueue* messages = nullptr;
  const ProfileReader* profile = nullptr;
};

MixerUnit& Unit();

// Session.cpp
MixSession& ValidateSession(hMixSession session);
void ResolvePlatform();

// PlayPool.cpp
void LinkFreeEntries();
PlayEntry* TakeEntry();
void ReturnEntry(PlayEntry* entry);
int DropQueue(PlayEntry*& head);
void AppendPending(MixSession& s, PlayEntry* entry);
PlayEntry* TakeOldestPending(MixSession& s);
// Where a play stops, from its start, its wave's length and its loops: the
// last byte of its last pass is not mixed; an endless play, or one waiting
// behind an endless play, never stops.
int64_t EndOfPlay(const PlayEntry& e);

// BlockQueue.cpp
OutputBlock* TakeBlock(MixSession& s);
bool AnySubmitted();
void AppendSubmitted(OutputBlock* block);
void RemoveSubmitted(OutputBlock* block);
void DropSubmitted();
void WriteToDevice(MixSession& s, OutputBlock* block);

// Position.cpp
int64_t ReadPlayPosition(MixSession& s, int mode);
void SetPlayPosition(MixSession& s, int64_t position);
void ResetDevice(MixSession& s);

// Engine.cpp
bool MixBlock(MixSession& s, OutputBlock* block, bool submit);
void FillFreeBlocks(MixSession& s);
void RemixRewrite(MixSession& s, int64_t start);
void RemixShift(MixSession& s, int64_t start, PlayEntry* entry);
void Remix(MixSession& s, int64_t start, PlayEntry* entry);
void ServiceDevice();
void ReleaseFinished(MixSession& s);
MessageHandler& CallbackProcedure();

} // namespace pcmmix
