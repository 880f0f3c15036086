#pragma once

// Shared by the client tests: a recorder for the observers and the options of a direct client.

#include <string>
#include <utility>
#include <vector>

#include "net/http/http_client.h"

namespace tarsel::HTTP::testing {

struct ObservedDownload {
  std::vector<std::pair<HttpStatusEvent, int64_t>> events;
  std::vector<std::string> redirected_to;  // event 18
  std::vector<std::pair<int, std::string>> errors;

  void Attach(CHttpClient& client) {
    client.SetObservers(
        [this](int code, int, const std::string& url, void*) { errors.emplace_back(code, url); },
        [this](HttpStatusEvent event, int64_t value, const CUrlParts* parts, void*) {
          events.emplace_back(event, value);
          if (event == HttpStatusEvent::kRedirected) redirected_to.push_back(parts->url);
        });
  }
};

// The code Download threw, or 0.
inline int DownloadCode(CHttpClient& client, const std::string& url) {
  try {
    client.Download(url);
    return 0;
  } catch (const CHttpExeption& error) {
    return error.Code();
  }
}

// Tests go direct, so that a proxy in the environment cannot reroute loopback requests.
inline ClientOptions Direct() {
  return {ProxySettings{ProxyType::kNone, "", 0, "", ""}, ""};
}

// No proxy in the process-wide settings for the life of the object, for the tests of the desktop
// program, which makes its clients' options from the settings it publishes.
class ScopedProxy {
 public:
  ScopedProxy() : saved_(*CurrentSettings()) {
    Settings settings = saved_;
    settings.proxy = Direct().proxy;
    SetCurrentSettings(std::move(settings));
  }
  ~ScopedProxy() { SetCurrentSettings(saved_); }
  ScopedProxy(const ScopedProxy&) = delete;
  ScopedProxy& operator=(const ScopedProxy&) = delete;

 private:
  Settings saved_;
};

}  // namespace tarsel::HTTP::testing
