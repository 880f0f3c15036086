#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/notifier.h"

namespace tarsel::testing {

// A user who reads every message box and answers every question No. The messages are kept in
// the order shown, as (caption, text).
class RecordingPrompt final : public UserPrompt {
 public:
  void ShowMessage(const std::string& caption, const std::string& text) override {
    messages.emplace_back(caption, text);
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }

  std::vector<std::pair<std::string, std::string>> messages;
};

}  // namespace tarsel::testing
