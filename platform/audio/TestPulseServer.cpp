#include "platform/audio/TestPulseServer.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace platform {
namespace {

bool CanConnect(const std::string& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return ok;
}

}  // namespace

bool TestPulseServer::Available() {
  return SpawnedProcess::OnPath("pulseaudio") && SpawnedProcess::OnPath("pacat") &&
         SpawnedProcess::OnPath("pactl");
}

TestPulseServer::~TestPulseServer() {
  Stop();
}

SpawnedProcess::Options TestPulseServer::ClientOptions() const {
  SpawnedProcess::Options options;
  options.environment = {{"PULSE_SERVER", "unix:" + socket_}, {"HOME", folder_}};
  return options;
}

bool TestPulseServer::Start() {
  char pattern[] = "/tmp/tessaro-pulse-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return false;
  folder_ = pattern;
  socket_ = folder_ + "/native";
  SpawnedProcess::Options options;
  options.environment = {{"XDG_RUNTIME_DIR", folder_},
                         {"HOME", folder_},
                         {"PULSE_RUNTIME_PATH", folder_},
                         {"PULSE_STATE_PATH", folder_}};
  const std::vector<std::string> argv = {
      "pulseaudio",
      "--daemonize=no",
      "--exit-idle-time=-1",
      "-n",
      "--use-pid-file=no",
      "--load=module-native-protocol-unix socket=" + socket_ + " auth-anonymous=1",
      std::string("--load=module-null-sink rate=48000 sink_name=") + kSink,
  };
  if (!daemon_.Start(argv, options)) return false;
  for (int i = 0; i < 500 && !CanConnect(socket_); ++i) {
    if (!daemon_.Running()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!CanConnect(socket_)) {
    Stop();
    return false;
  }
  if (const char* previous = std::getenv("PULSE_SERVER")) {
    previous_server_ = previous;
    had_previous_server_ = true;
  }
  setenv("PULSE_SERVER", ("unix:" + socket_).c_str(), 1);
  return true;
}

void TestPulseServer::Stop() {
  players_.clear();
  daemon_.Stop();
  if (!folder_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    folder_.clear();
    if (had_previous_server_) {
      setenv("PULSE_SERVER", previous_server_.c_str(), 1);
    } else {
      unsetenv("PULSE_SERVER");
    }
  }
}

bool TestPulseServer::Play(const std::vector<int16_t>& samples, const std::string& sink) {
  const std::string path = folder_ + "/play" + std::to_string(plays_++) + ".raw";
  {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(samples.data()),
               static_cast<std::streamsize>(samples.size() * sizeof(int16_t)));
    if (!file) return false;
  }
  SpawnedProcess::Options options = ClientOptions();
  options.stdin_path = path;
  auto player = std::make_unique<SpawnedProcess>();
  const bool started = player->Start({"pacat", "--playback", "--raw", "--format=s16le",
                                      "--rate=48000", "--channels=2", "--device=" + sink},
                                     options);
  if (started) players_.push_back(std::move(player));
  return started;
}

bool TestPulseServer::Pactl(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"pactl"};
  argv.insert(argv.end(), args.begin(), args.end());
  return SpawnedProcess::Run(argv, ClientOptions()) == 0;
}

}  // namespace platform
