#include "services/version_checker.h"

#include "net/http/http_client.h"
#include "services/service_texts.h"
#include "services/version_compare.h"
#include "settings/translation_table.h"

namespace tarsel {

VersionChecker::VersionChecker(std::string url) : url_(std::move(url)) {}

VersionChecker::~VersionChecker() {
  Stop();
}

bool VersionChecker::Start(const VersionCheckOptions& options, ReadyCallback ready) {
  if (started_) return false;
  started_ = true;
  if (!options.enabled || !ready || url_.empty()) return true;
  client_ = std::make_unique<HTTP::CHttpClient>(options.http);
  worker_ = std::thread([this, ready = std::move(ready)] { Run(ready); });
  return true;
}

void VersionChecker::Wait() {
  if (worker_.joinable()) worker_.join();
}

void VersionChecker::Stop() {
  if (client_) client_->Cancel();
  if (worker_.joinable()) worker_.join();
}

void VersionChecker::Run(const ReadyCallback& ready) {
  client_->AddHeader("Accept", "*/*");
  try {
    client_->Download(url_);
  } catch (const HTTP::CHttpExeption&) {
    return;
  }
  const int status = client_->Status();
  if (status != 200 && status != 304) return;
  ready(SplitVersionLines(client_->Body()));
}

bool CompareAndNotify(const std::vector<std::string>& lines, std::string_view own_version,
                      NewVersionPrompt& prompt) {
  const std::optional<std::string> text = NewVersionNoticeText(lines, own_version);
  if (!text) return false;
  return prompt.ShowNewVersion(TranslatedOr(text::kServiceNewVersionCaption, kNewVersionCaption),
                               *text);
}

}  // namespace tarsel
