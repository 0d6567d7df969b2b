#pragma once
// The loopback capture on PulseAudio (and PipeWire's PulseAudio server): a
// record stream on "@DEFAULT_MONITOR@", the monitor of the default output.
// A subscription to server changes moves the stream to the new default
// output's monitor when the user switches outputs.
//
// The libpulse main loop runs on its own thread; Read takes its lock for one
// peek, so the engines' threads never wait on the sound server.
#include <memory>
#include <string>

#include "platform/audio/LoopbackCapture.h"

namespace platform {

class PulseLoopbackCapture final : public LoopbackCapture {
 public:
  static constexpr int kRate = 48000;
  static constexpr int kChannels = 2;
  static constexpr int kFragmentMs = 10;

  explicit PulseLoopbackCapture(SampleForm form, std::string client_name = "Tessaro");
  ~PulseLoopbackCapture() override;
  PulseLoopbackCapture(const PulseLoopbackCapture&) = delete;
  PulseLoopbackCapture& operator=(const PulseLoopbackCapture&) = delete;

  SampleForm Form() const override { return form_; }
  bool Open() override;
  void Close() override;
  bool IsOpen() const override;
  CaptureRead Read(AudioPacket& packet) override;

  // The number of times the stream was made, first one included: tests see
  // the move to a new default output with it.
  int StreamsCreated() const;

  struct Session;

 private:
  SampleForm form_;
  std::string client_name_;
  std::unique_ptr<Session> session_;
};

}  // namespace platform
