// The screen-sync light at 1920 by 1080: one grab and its reduction, and the
// share of a core its thread takes while the mode is shown. The grabs run on a
// private Xvfb started here; without Xvfb those benchmarks are skipped.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <thread>

#include "app/lights/ScreenLight.h"
#include "platform/screen/FakeScreenCapture.h"
#include "platform/screen/TestXServer.h"
#include "platform/screen/X11ScreenCapture.h"

namespace {

using tessaro::ScreenGrid;
using tessaro::ScreenLight;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// One server for the whole program, painted with a few areas of colour.
platform::TestXServer* Server() {
  static platform::TestXServer* server = [] {
    if (!platform::TestXServer::Available()) return static_cast<platform::TestXServer*>(nullptr);
    auto* s = new platform::TestXServer;
    if (!s->Start(kWidth, kHeight)) return static_cast<platform::TestXServer*>(nullptr);
    s->Fill(0, 0, kWidth / 2, kHeight, 0xC03020);
    s->Fill(kWidth / 2, 0, kWidth / 2, kHeight, 0x2040E0);
    s->Fill(300, 200, 800, 500, 0x30D040);
    return s;
  }();
  return server;
}

// Grab (XShm), 18 by 6 reduction and the grid: one capture of the thread.
void BM_ScreenCaptureX11(benchmark::State& state) {
  platform::TestXServer* server = Server();
  if (server == nullptr) {
    state.SkipWithError("Xvfb is not available");
    return;
  }
  platform::X11ScreenCapture capture(server->Display());
  platform::FakeClock clock;
  ScreenGrid grid;
  ScreenLight light(capture, clock, grid);
  light.SetUp(22, 6);
  light.Stop();
  for (auto _ : state) {
    if (!light.CaptureOnce()) {
      state.SkipWithError("grab failed");
      return;
    }
  }
  state.counters["shm"] = capture.UsesSharedMemory() ? 1 : 0;
}
BENCHMARK(BM_ScreenCaptureX11)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The reduction alone, over an image in memory.
void BM_ScreenReduce(benchmark::State& state) {
  platform::FakeScreenCapture screen(kWidth, kHeight);
  screen.Fill(0, 0, kWidth / 2, kHeight, 0xC03020);
  platform::ScreenImage image;
  screen.Grab(image);
  for (auto _ : state) benchmark::DoNotOptimize(tessaro::ScreenReducer::Reduce(image));
}
BENCHMARK(BM_ScreenReduce)->Unit(benchmark::kMicrosecond);

// The thread as it runs: enabled for two seconds on the real clock. "core" is
// the process's CPU time over the wall time (the X server's own work of
// filling the shared image is in the server's process, not counted here).
void BM_ScreenLightThread(benchmark::State& state) {
  platform::TestXServer* server = Server();
  if (server == nullptr) {
    state.SkipWithError("Xvfb is not available");
    return;
  }
  double share = 0.0;
  for (auto _ : state) {
    platform::X11ScreenCapture capture(server->Display());
    platform::SteadyClock clock;
    ScreenGrid grid;
    ScreenLight light(capture, clock, grid);
    light.SetEnabled(true);
    const std::clock_t cpu_start = std::clock();
    const auto wall_start = std::chrono::steady_clock::now();
    light.SetUp(18, 6);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    light.Stop();
    const double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
    share = cpu / wall;
  }
  state.counters["core"] = share;
}
BENCHMARK(BM_ScreenLightThread)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  delete Server();  // stops the X server
  return 0;
}
