#include "uilib/core/TextSink.h"

#include <atomic>

namespace tumi {

namespace {
std::atomic<TextSink*> g_sink{nullptr};
}

TextSink* TextSink::Install(TextSink* sink) {
  return g_sink.exchange(sink);
}

TextSink* TextSink::Installed() {
  return g_sink.load();
}

}  // namespace tumi
