#pragma once
// Test support: a private PulseAudio server with one null output, started with
// its own runtime folder and socket, and ended (with everything it played) when
// the object goes. Start points PULSE_SERVER of this process at it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/system/SpawnedProcess.h"

namespace platform {

class TestPulseServer {
 public:
  static constexpr const char* kSink = "tessaro_test";

  // Whether pulseaudio and its tools are installed.
  static bool Available();

  TestPulseServer() = default;
  ~TestPulseServer();
  TestPulseServer(const TestPulseServer&) = delete;
  TestPulseServer& operator=(const TestPulseServer&) = delete;

  bool Start();
  void Stop();

  // Plays interleaved 16-bit stereo samples at 48 kHz into the output, in the
  // background; the player ends with the samples or with Stop.
  bool Play(const std::vector<int16_t>& samples, const std::string& sink = kSink);
  // Runs pactl against this server; true when it succeeds.
  bool Pactl(const std::vector<std::string>& args);

 private:
  SpawnedProcess::Options ClientOptions() const;

  std::string folder_;
  std::string socket_;
  std::string previous_server_;
  bool had_previous_server_ = false;
  SpawnedProcess daemon_;
  std::vector<std::unique_ptr<SpawnedProcess>> players_;
  int plays_ = 0;
};

}  // namespace platform
