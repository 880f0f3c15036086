#include "app/feedback.h"

#include "app/product_version.h"
#include "platform/shell_open.h"

namespace tarsel {

std::string FeedbackMailUrl(FeedbackKind kind) {
  const char* address = kGeneralMailAddress;
  const char* subject = "Suggestion";
  switch (kind) {
    case FeedbackKind::kBugReport:
      address = kSupportMailAddress;
      subject = "Bug%20Report";
      break;
    case FeedbackKind::kSuggestion:
      break;
    case FeedbackKind::kInformationRequest:
      subject = "Information%20Request";
      break;
  }
  return std::string("mailto:") + address + "?subject=" + subject + "[Tarsel - " + kProductVersion +
         "]";
}

void SendFeedback(FeedbackKind kind) {
  OpenUrlInBrowser(FeedbackMailUrl(kind));
}

void OpenHomePage() {
  OpenUrlInBrowser(kHomePageUrl);
}

}  // namespace tarsel
