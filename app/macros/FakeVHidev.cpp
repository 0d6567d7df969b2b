#include "app/macros/FakeVHidev.h"

namespace tessaro {
namespace {

std::string Transition(bool down) {
  return down ? " down" : " up";
}

}  // namespace

bool FakeVHidev::ReopenDevice() {
  Log("ReopenDevice");
  std::lock_guard lock(mutex_);
  return present_;
}

void FakeVHidev::ReleaseAll() {
  Log("ReleaseAll");
}

void FakeVHidev::KeyEvent(int usage, bool down) {
  Log("KeyEvent " + std::to_string(usage) + Transition(down));
}

void FakeVHidev::MouseButton(int bit, bool down) {
  Log("MouseButton " + std::to_string(bit) + Transition(down));
}

void FakeVHidev::ConsumerEvent(int function_code, bool down) {
  Log("ConsumerEvent " + std::to_string(function_code) + Transition(down));
}

void FakeVHidev::PlayShortcut(int value) {
  Log("PlayShortcut " + std::to_string(value));
}

void FakeVHidev::QueueMacro(int macro_id) {
  Log("QueueMacro " + std::to_string(macro_id));
}

void FakeVHidev::PostSoftwareFunction(int other_data_id) {
  Log("PostSoftwareFunction " + std::to_string(other_data_id));
}

void FakeVHidev::SetPresent(bool present) {
  std::lock_guard lock(mutex_);
  present_ = present;
}

std::vector<std::string> FakeVHidev::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

void FakeVHidev::ClearCalls() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

void FakeVHidev::Log(std::string call) {
  std::lock_guard lock(mutex_);
  calls_.push_back(std::move(call));
}

}  // namespace tessaro
