#pragma once
// The HTTP client of a run: libcurl, or with TESSARO_SIMULATE naming "net" a
// fake that answers every request with 404, so simulated runs never reach the
// update server.
#include <memory>
#include <optional>
#include <string>

#include "platform/net/HttpClient.h"

namespace platform {

std::unique_ptr<HttpClient> MakeHttpClient(const std::optional<std::string>& simulate_setting);

}  // namespace platform
