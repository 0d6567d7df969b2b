#include "platform/net/MakeHttpClient.h"

#include "platform/net/CurlHttpClient.h"
#include "platform/net/FakeHttpClient.h"
#include "platform/system/SimulatedFacilities.h"

namespace platform {

std::unique_ptr<HttpClient> MakeHttpClient(const std::optional<std::string>& simulate_setting) {
  if (SimulatesFacility(simulate_setting, "net")) return std::make_unique<FakeHttpClient>();
  return std::make_unique<CurlHttpClient>();
}

}  // namespace platform
