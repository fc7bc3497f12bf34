#pragma once
// Output as a stream of the PipeWire server the desktop runs. The server
// calls the stream back each cycle, on its real-time data thread, for the
// next stretch of sound, which a PullFeed supplies; no sound server's
// compatibility layer sits between, so a cue waits behind the mixer's
// blocks, the feed's short buffer and the server's own cycle alone. The
// stream stops asking while the game is quiet.
#include <cstdint>
#include <memory>

#include "pcmmix/DeviceShared.h"
#include "pcmmix/PullFeed.h"
#include "pcmmix/WaveDevice.h"

namespace pcmmix {

class PipeWireWaveOut final : public WaveOut {
public:
  // Connects and waits for the stream to be ready; gives null with the
  // result number when there is no server or it refuses the stream.
  static std::unique_ptr<PipeWireWaveOut> Open(const WaveFormat& format, MessageQueue* queue,
                                               WindowHandle target, int& result, DeviceShared shared = {});
  ~PipeWireWaveOut() override;

  int Write(WaveHeader* header) override;
  int Pause() override;
  int Restart() override;
  int Reset() override;
  int GetPositionBytes(uint64_t& bytes) override;
  uint64_t Underruns() const override { return feed_.Underruns(); }

  struct Connection; // the server's objects, kept out of this header

private:
  PipeWireWaveOut(const WaveFormat& format, MessageQueue* queue, WindowHandle target, DeviceShared shared);
  void Wake();

  PullFeed feed_;
  std::unique_ptr<Connection> connection_;
};

// Whether a PipeWire server answers on this session.
bool PipeWireServerAnswers();

} // namespace pcmmix
