#pragma once
// The sound the default output plays, read back from its monitor. The stream is
// polled: Read never blocks and hands over one packet at a time.
#include <cstdint>
#include <vector>

namespace platform {

enum class SampleForm { kInt16, kFloat32 };

// Interleaved samples of one packet; `frames` frames of `channels` samples in
// the capture's form (the other vector stays empty). A hole in the stream
// arrives as a packet of silence.
struct AudioPacket {
  int frames = 0;
  int channels = 0;
  std::vector<int16_t> int16;
  std::vector<float> float32;
};

enum class CaptureRead {
  kPacket,      // a packet was read
  kNoPacket,    // nothing is ready yet
  kDeviceGone,  // the output went away; the capture is closed
};

class LoopbackCapture {
 public:
  virtual ~LoopbackCapture() = default;

  virtual SampleForm Form() const = 0;
  // Starts capturing the default output; the capture follows the default
  // output when it changes. False when there is no sound server or output.
  virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual CaptureRead Read(AudioPacket& packet) = 0;
};

}  // namespace platform
