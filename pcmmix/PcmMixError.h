#pragma once
// Every mixer failure is raised as EPcmMixError carrying one of these texts.
#include <stdexcept>
#include <string>

namespace pcmmix {

class EPcmMixError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

namespace text {
inline constexpr const char* kInvalidSession = "Invalid Session handle";
inline constexpr const char* kAlreadyInitialized = "Session already initialized";
inline constexpr const char* kNoDevices = "No wave output devices available";
inline constexpr const char* kNoMemory =
    "Unable to allocate memory for waveform data.  Try making more memory "
    "available by closing other applications.";
inline constexpr const char* kRegisterClass = "Error registering class #";
inline constexpr const char* kSynchronous1 = " is a syncronous (blocking) ";
inline constexpr const char* kSynchronous2 =
    "wave output device.  This will not permit audio to play while other ";
inline constexpr const char* kSynchronous3 = "applications are running";
inline constexpr const char* kNotCompatible1 = " is not compatible with ";
inline constexpr const char* kNotCompatible2 = "the realtime mixer";
inline constexpr const char* kUnknownDevice = "Unknown Device";
inline constexpr const char* kCallbackWindow = "Failed to create callback window";
inline constexpr const char* kOpenDevice = "Failed to open waveform output device #";
inline constexpr const char* kPrepareHeader = "Unable to prepare wave header #";
inline constexpr const char* kInvalidFlags = "Invalid Flags";
inline constexpr const char* kInvalidChannel = "Invalid channel number";
inline constexpr const char* kInvalidChannelCount = "Invalid number of channels";
inline constexpr const char* kInvalidFlag = "Invalid flag";
inline constexpr const char* kChannelAlreadyOpen = "The channel has already been opened";
inline constexpr const char* kChannelNotOpen = "The specified channel was not open";
inline constexpr const char* kNilRequest = "nil parameters pointer passed to PcmMixPlay";
inline constexpr const char* kNilWave = "nil wave pointer passed to PcmMixPlay!";
inline constexpr const char* kNotActive =
    "Wave device not allocated, call PcmMixActivate(hMixSession,TRUE)";
inline constexpr const char* kNoChannelOpen =
    "You must open a channel before you can play a wave";
inline constexpr const char* kNoEntry = "Not enough memory";
inline constexpr const char* kWriteBlock = "Failed to write block to device";
inline constexpr const char* kBadWavePointer = "The given pointer was not valid";
inline constexpr const char* kCantPlayFormat = "The waveform device can\xB4t play this format";
inline constexpr const char* kOpenResource = "Failed to open \"WAVE\" resource ";
inline constexpr const char* kLockResource = "Failed to lock \"WAVE\" resource";
inline constexpr const char* kOpenResourceMmio1 = "Failed to open resource, mmioOpen error= ";
inline constexpr const char* kOpenResourceMmio2 =
    ".#13May need to make sure resource is marked read-write";
inline constexpr const char* kOpenMemory1 = "Failed to open memory file, mmioOpen error=";
inline constexpr const char* kOpenMemory2 = ".#13May need to make sure memory is read-write";
inline constexpr const char* kOpenFile = "Failed to open wave file ";
inline constexpr const char* kNotWave = "This is not a WAVE file";
inline constexpr const char* kCorrupted = "WAVE file is corrupted";
inline constexpr const char* kReadFormat = "Failed to read format chunk";
inline constexpr const char* kNotPcm = "The file is not a PCM file";
inline constexpr const char* kNoDataChunk = "WAVE file has no data chunk";
inline constexpr const char* kEmptyData = "The data chunk has no data";
inline constexpr const char* kReadData = "Failed to read data chunk";
inline constexpr const char* kNotSupported = "File format not supported";
inline constexpr const char* kInitFailed = "Initialization failed (PcmMixInit)";
} // namespace text

[[noreturn]] inline void Fail(const std::string& message) { throw EPcmMixError(message); }

} // namespace pcmmix
