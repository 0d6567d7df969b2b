// The music light's frame: what the engine thread pays every 15 ms while a
// music mode of a first-generation keyboard is shown.
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/lights/BandAnalyzer.h"
#include "app/lights/Visualizer.h"

namespace {

using tessaro::MusicPatterns;
using tessaro::Visualizer;

// Hands over one 10 ms packet of music (48 kHz stereo floats) per frame,
// which is about what a frame drains from the sound server.
class EndlessCapture final : public platform::LoopbackCapture {
 public:
  EndlessCapture() {
    packet_.frames = 480;
    packet_.channels = 2;
    for (int i = 0; i < 960; ++i) {
      packet_.float32.push_back(
          static_cast<float>(0.4 * std::sin(i * 0.05) + 0.2 * std::sin(i * 0.7)));
    }
  }
  platform::SampleForm Form() const override { return platform::SampleForm::kFloat32; }
  bool Open() override { return true; }
  void Close() override {}
  bool IsOpen() const override { return true; }
  platform::CaptureRead Read(platform::AudioPacket& packet) override {
    ready_ = !ready_;
    if (!ready_) return platform::CaptureRead::kNoPacket;
    packet = packet_;
    return platform::CaptureRead::kPacket;
  }

 private:
  platform::AudioPacket packet_;
  bool ready_ = false;
};

void RunFrames(benchmark::State& state, const MusicPatterns& patterns) {
  EndlessCapture capture;
  platform::FakeClock clock;
  Visualizer engine(capture, clock);
  engine.SetPatterns(patterns);
  for (auto _ : state) engine.RunFrame();
  benchmark::DoNotOptimize(engine.CurrentFrame().At(3, 40));
}

// Drain, transform, bins, smoothing, an HSV rainbow over bands, compose.
void BM_VisualizerFrame(benchmark::State& state) {
  RunFrames(state, {/*foreground=*/16, 270, /*background=*/9, 60});
}
BENCHMARK(BM_VisualizerFrame);

// The dearest pair: an HSV wheel (every cell its own hue) over a sine rainbow,
// both following the hue every frame.
void BM_VisualizerFrameWheels(benchmark::State& state) {
  RunFrames(state, {/*foreground=*/17, 270, /*background=*/15, 60});
}
BENCHMARK(BM_VisualizerFrameWheels);

// The analysis alone: transform, bins and smoothing of the history.
void BM_SpectrumAnalysis(benchmark::State& state) {
  tessaro::BandAnalyzer analyzer;
  std::vector<float> packet(960);
  for (size_t i = 0; i < packet.size(); ++i) packet[i] = static_cast<float>(std::sin(i * 0.05));
  for (auto _ : state) {
    analyzer.Decay();
    analyzer.AddPacket(packet, 480, 270.0f);
    analyzer.Analyse();
  }
  benchmark::DoNotOptimize(analyzer.Heights()[8]);
}
BENCHMARK(BM_SpectrumAnalysis);

}  // namespace

BENCHMARK_MAIN();
