#include "platform/audio/PulseLoopbackCapture.h"

#include <pulse/pulseaudio.h>

#include <atomic>
#include <cstring>

namespace platform {

// Everything of one connection; lives from Open to Close. Members other than
// the atomics are used under the main loop's lock (callbacks hold it).
struct PulseLoopbackCapture::Session {
  SampleForm form = SampleForm::kInt16;
  pa_threaded_mainloop* loop = nullptr;
  pa_context* context = nullptr;
  pa_stream* stream = nullptr;
  std::string default_sink;
  bool server_info_done = false;
  std::atomic<int> streams_created{0};

  ~Session() {
    if (loop != nullptr) pa_threaded_mainloop_stop(loop);
    DropStream();
    if (context != nullptr) {
      pa_context_set_state_callback(context, nullptr, nullptr);
      pa_context_set_subscribe_callback(context, nullptr, nullptr);
      pa_context_disconnect(context);
      pa_context_unref(context);
    }
    if (loop != nullptr) pa_threaded_mainloop_free(loop);
  }

  void DropStream() {
    if (stream == nullptr) return;
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
  }

  size_t SampleBytes() const { return form == SampleForm::kInt16 ? 2 : 4; }

  bool CreateStream() {
    pa_sample_spec sample_format{};
    sample_format.format = form == SampleForm::kInt16 ? PA_SAMPLE_S16NE : PA_SAMPLE_FLOAT32NE;
    sample_format.rate = PulseLoopbackCapture::kRate;
    sample_format.channels = PulseLoopbackCapture::kChannels;
    stream = pa_stream_new(context, "Light effects", &sample_format, nullptr);
    if (stream == nullptr) return false;
    ++streams_created;
    pa_stream_set_state_callback(stream, &Session::OnStreamState, this);
    pa_buffer_attr attr;
    std::memset(&attr, 0xFF, sizeof attr);  // server defaults but for the fragment
    attr.fragsize = static_cast<uint32_t>(
        pa_usec_to_bytes(PulseLoopbackCapture::kFragmentMs * PA_USEC_PER_MSEC, &sample_format));
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_record(stream, "@DEFAULT_MONITOR@", &attr, flags) < 0) {
      DropStream();
      return false;
    }
    return true;
  }

  // Waits, with the lock held, until `done` says so or the state went bad.
  template <typename Done>
  bool Wait(Done done) {
    for (;;) {
      const int result = done();
      if (result != 0) return result > 0;
      pa_threaded_mainloop_wait(loop);
    }
  }

  static void OnContextState(pa_context*, void* self) {
    pa_threaded_mainloop_signal(static_cast<Session*>(self)->loop, 0);
  }
  static void OnStreamState(pa_stream*, void* self) {
    pa_threaded_mainloop_signal(static_cast<Session*>(self)->loop, 0);
  }

  static void OnServerInfo(pa_context*, const pa_server_info* info, void* data) {
    auto* self = static_cast<Session*>(data);
    const std::string sink = info != nullptr && info->default_sink_name != nullptr
                                 ? info->default_sink_name
                                 : std::string();
    // The default output changed after the stream was made: follow it.
    if (self->server_info_done && sink != self->default_sink && self->stream != nullptr) {
      self->DropStream();
      self->CreateStream();
    }
    self->default_sink = sink;
    self->server_info_done = true;
    pa_threaded_mainloop_signal(self->loop, 0);
  }

  static void OnSubscription(pa_context* context, pa_subscription_event_type_t type, uint32_t,
                             void* data) {
    if ((type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) != PA_SUBSCRIPTION_EVENT_SERVER) return;
    if (pa_operation* op = pa_context_get_server_info(context, &Session::OnServerInfo, data)) {
      pa_operation_unref(op);
    }
  }

  bool Connect(const std::string& client_name) {
    context = pa_context_new(pa_threaded_mainloop_get_api(loop), client_name.c_str());
    if (context == nullptr) return false;
    pa_context_set_state_callback(context, &Session::OnContextState, this);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
    const bool ready = Wait([this] {
      const pa_context_state_t state = pa_context_get_state(context);
      if (state == PA_CONTEXT_READY) return 1;
      return PA_CONTEXT_IS_GOOD(state) ? 0 : -1;
    });
    if (!ready) return false;

    pa_context_set_subscribe_callback(context, &Session::OnSubscription, this);
    if (pa_operation* op =
            pa_context_subscribe(context, PA_SUBSCRIPTION_MASK_SERVER, nullptr, nullptr)) {
      pa_operation_unref(op);
    }
    pa_operation* info = pa_context_get_server_info(context, &Session::OnServerInfo, this);
    if (info == nullptr) return false;
    Wait([&] { return pa_operation_get_state(info) == PA_OPERATION_RUNNING ? 0 : 1; });
    pa_operation_unref(info);

    if (!CreateStream()) return false;
    return Wait([this] {
      if (stream == nullptr) return -1;
      const pa_stream_state_t state = pa_stream_get_state(stream);
      if (state == PA_STREAM_READY) return 1;
      return PA_STREAM_IS_GOOD(state) ? 0 : -1;
    });
  }

  CaptureRead Read(AudioPacket& packet) {
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) || stream == nullptr) {
      return CaptureRead::kDeviceGone;
    }
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (state != PA_STREAM_READY) {
      return PA_STREAM_IS_GOOD(state) ? CaptureRead::kNoPacket : CaptureRead::kDeviceGone;
    }
    const void* data = nullptr;
    size_t bytes = 0;
    if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0) return CaptureRead::kNoPacket;
    const size_t samples = bytes / SampleBytes();
    packet.channels = PulseLoopbackCapture::kChannels;
    packet.frames = static_cast<int>(samples / PulseLoopbackCapture::kChannels);
    packet.int16.clear();
    packet.float32.clear();
    // A hole (no data, a length) is silence of that length.
    if (form == SampleForm::kInt16) {
      packet.int16.assign(samples, 0);
      if (data != nullptr) std::memcpy(packet.int16.data(), data, samples * 2);
    } else {
      packet.float32.assign(samples, 0.0f);
      if (data != nullptr) std::memcpy(packet.float32.data(), data, samples * 4);
    }
    pa_stream_drop(stream);
    return CaptureRead::kPacket;
  }
};

PulseLoopbackCapture::PulseLoopbackCapture(SampleForm form, std::string client_name)
    : form_(form), client_name_(std::move(client_name)) {}

PulseLoopbackCapture::~PulseLoopbackCapture() {
  Close();
}

bool PulseLoopbackCapture::Open() {
  Close();
  auto session = std::make_unique<Session>();
  session->form = form_;
  session->loop = pa_threaded_mainloop_new();
  if (session->loop == nullptr) return false;
  if (pa_threaded_mainloop_start(session->loop) < 0) {
    pa_threaded_mainloop_free(session->loop);
    session->loop = nullptr;
    return false;
  }
  pa_threaded_mainloop_lock(session->loop);
  const bool connected = session->Connect(client_name_);
  pa_threaded_mainloop_unlock(session->loop);
  if (!connected) return false;
  session_ = std::move(session);
  return true;
}

void PulseLoopbackCapture::Close() {
  session_.reset();
}

bool PulseLoopbackCapture::IsOpen() const {
  return session_ != nullptr;
}

CaptureRead PulseLoopbackCapture::Read(AudioPacket& packet) {
  if (!session_) return CaptureRead::kNoPacket;
  pa_threaded_mainloop_lock(session_->loop);
  const CaptureRead read = session_->Read(packet);
  pa_threaded_mainloop_unlock(session_->loop);
  if (read == CaptureRead::kDeviceGone) Close();
  return read;
}

int PulseLoopbackCapture::StreamsCreated() const {
  return session_ ? session_->streams_created.load() : 0;
}

}  // namespace platform
