// What painting a full window costs: a 1280 x 720 dialog with 200 skinned
// controls with text, painted on the headless window system (the drawing is
// the same Cairo work as on a display; only showing it on screen is left out).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "platform/window/headless/HeadlessWindowSystem.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MControlFont.h"
#include "uilib/core/MDialog.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/SkinPath.h"

namespace {

namespace fs = std::filesystem;
using namespace tumi;

constexpr int kColumns = 20;
constexpr int kRows = 10;
constexpr int kWidth = 60;
constexpr int kHeight = 30;

// A four-state skinned button: each state a slot of its render cache.
class BenchButton : public MControlFont {
 public:
  BenchButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title)
      : MControlFont(parent, id, rect, title, 1, 1, 1) {
    h_align_ = kAlignCenter;
  }
  void DrawControl(cairo_t* cr, const Rect&) override {
    int w = rect_.Width();
    int h = rect_.Height();
    if (!cache_valid_) {
      Image* cache = UpdateMemDC(cr, w * 4, h);
      Graphics g(*cache);
      for (int slot = 0; slot < 4; ++slot) {
        Rect box = Rect::FromSize(slot * w, 0, w, h);
        DrawFrame(g, slot, box);
        DrawTitle(g, box, text_color_);
      }
    }
    PaintSlot(cr, state_);
  }
  int OnControlMouseMove(unsigned, Point p) override {
    int state = rect_.Contains(p) ? 1 : 0;
    if (state != state_) {
      state_ = state;
      UpdateControl(0, 0);
    }
    return state;
  }

 private:
  int state_ = 0;
};

class BenchDialog : public MDialog {
 public:
  ~BenchDialog() override { DestroyWindow(); }
  void InitUI(const Rect&) override {
    unsigned id = 100;
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kColumns; ++column) {
        Rect r = Rect::FromSize(20 + column * 62, 20 + row * 60, kWidth, kHeight);
        auto* button = static_cast<BenchButton*>(pm_.AddControl(
            std::make_unique<BenchButton>(this, id, r, "Key " + std::to_string(id))));
        button->SetImage("button.png", 4);
        ++id;
      }
    }
  }
};

// The window system, a skin folder with one button strip and the dialog.
class Scene {
 public:
  Scene() : system_(platform::HeadlessWindowSystem::Make()) {
    std::random_device random;
    folder_ = fs::temp_directory_path() / ("tumi-bench-" + std::to_string(random()));
    Manager::SetWindowSystem(system_.get());
    Manager::SetProgramFolder(folder_.string());
    fs::create_directories(Manager::GetSkinFolder());
    WriteStrip(SkinPath::Join(Manager::GetSkinFolder(), "button.png"));
    dialog_ = std::make_unique<BenchDialog>();
    dialog_->Create(platform::kNoWindow, Rect{0, 0, 1280, 720});
    dialog_->ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    system_->Pump();
  }
  ~Scene() {
    dialog_.reset();
    system_.reset();
    Manager::SetWindowSystem(nullptr);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  platform::HeadlessWindowSystem& System() { return *system_; }
  BenchDialog& Dialog() { return *dialog_; }
  WindowId Id() const { return dialog_->GetSafeHwnd(); }

 private:
  static void WriteStrip(const std::string& path) {
    auto strip = MRender::CreateARGB32Bitmap(kWidth * 4, kHeight);
    Graphics g(*strip);
    const Argb colours[] = {0xFF203040, 0xFF285055, 0xFFC95100, 0xFF505050};
    for (int i = 0; i < 4; ++i) {
      MRender::DrawRoundRectange(g, i * kWidth + 0.5, 0.5, kWidth - 1, kHeight - 1, 6.0,
                                 colours[i]);
    }
    MRender::SaveBitmapToFile(*strip, path);
  }

  fs::path folder_;
  std::unique_ptr<platform::HeadlessWindowSystem> system_;
  std::unique_ptr<BenchDialog> dialog_;
};

// Every control copies its cached picture: what an exposed window costs.
void BM_FullRepaint(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    scene.System().Invalidate(scene.Id());
    scene.System().UpdateWindow(scene.Id());
  }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

// Every control renders its four states again (frames and text), then copies.
void BM_FullRepaintRebuild(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    for (MControl* c : *scene.Dialog().GetControls()) c->SetUpdate(0, 0);
    scene.System().Invalidate(scene.Id());
    scene.System().UpdateWindow(scene.Id());
  }
}
BENCHMARK(BM_FullRepaintRebuild)->Unit(benchmark::kMillisecond);

// The pointer moves from one control to the next: two slot copies, two
// small paints.
void BM_HoverChange(benchmark::State& state) {
  Scene scene;
  const platform::Point points[] = {{30, 30}, {92, 30}};
  int next = 0;
  for (auto _ : state) {
    scene.System().MovePointer(scene.Id(), points[next]);
    scene.System().Pump();
    next ^= 1;
  }
}
BENCHMARK(BM_HoverChange)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
