#include "app/feedback.h"

#include "app/help.h"
#include "app/product_version.h"
#include "platform/shell_open.h"

namespace tarsel {

std::string FeedbackMailUrl(FeedbackKind kind, const ProjectAddresses& addresses) {
  const std::string* address = &addresses.general_mail;
  const char* subject = "Suggestion";
  switch (kind) {
    case FeedbackKind::kBugReport:
      address = &addresses.support_mail;
      subject = "Bug%20Report";
      break;
    case FeedbackKind::kSuggestion:
      break;
    case FeedbackKind::kInformationRequest:
      subject = "Information%20Request";
      break;
  }
  return "mailto:" + *address + "?subject=" + subject + "[Tarsel - " + kProductVersion + "]";
}

void SendFeedback(FeedbackKind kind) {
  OpenUrlInBrowser(FeedbackMailUrl(kind));
}

void OpenHomePage() {
  const std::string& home_page = BuiltInAddresses().home_page;
  if (home_page.empty()) return ShowHelpContents();
  OpenUrlInBrowser(home_page);
}

}  // namespace tarsel
