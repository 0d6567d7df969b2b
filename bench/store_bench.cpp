// The configuration store on a real file: what the key page pays when it saves
// one key, and what sending a profile to the keyboard pays to load its keys.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/store/ConfigStore.h"

namespace {

namespace fs = std::filesystem;
using tessaro::ConfigStore;
using tessaro::KeyAssignment;

constexpr int kKeysPerProfile = 256;

class StoreFolder {
 public:
  StoreFolder() {
    std::random_device random;
    std::string name = "tessaro-bench-";
    name += std::to_string(random());
    path_ = fs::temp_directory_path() / name;
    fs::create_directories(path_ / "db");
  }
  ~StoreFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string Path() const { return path_.string(); }

 private:
  fs::path path_;
};

KeyAssignment Assignment(int32_t profile, int32_t key_code) {
  return {0, profile, 0, key_code, key_code, "Key", 1, 0x04, 0, 0, "A"};
}

// Replaces the assignment of one key in a profile that holds a full keyboard.
void BM_SaveKeyAssignment(benchmark::State& state) {
  StoreFolder folder;
  ConfigStore store;
  if (!store.Open(folder.Path(), "Bench")) state.SkipWithError("cannot open the store");
  for (int code = 1; code <= kKeysPerProfile; ++code) store.SaveKeyAssignment(Assignment(1, code));
  int32_t code = 0;
  for (auto _ : state) {
    code = code % kKeysPerProfile + 1;
    benchmark::DoNotOptimize(store.SaveKeyAssignment(Assignment(1, code)));
  }
}
BENCHMARK(BM_SaveKeyAssignment)->Unit(benchmark::kMicrosecond);

// Loads the 256 assignments of one profile out of three.
void BM_LoadProfileKeys(benchmark::State& state) {
  StoreFolder folder;
  ConfigStore store;
  if (!store.Open(folder.Path(), "Bench")) state.SkipWithError("cannot open the store");
  for (int32_t profile = 1; profile <= 3; ++profile)
    for (int code = 1; code <= kKeysPerProfile; ++code)
      store.SaveKeyAssignment(Assignment(profile, code));
  std::vector<KeyAssignment> keys;
  for (auto _ : state) {
    if (store.LoadKeyAssignments(2, 0, keys) != kKeysPerProfile) state.SkipWithError("short load");
    benchmark::DoNotOptimize(keys.data());
  }
  state.SetItemsProcessed(state.iterations() * kKeysPerProfile);
}
BENCHMARK(BM_LoadProfileKeys)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
