#include <gtest/gtest.h>

#include "app/feedback.h"
#include "app/help.h"
#include "platform/folders.h"

namespace tarsel {
namespace {

TEST(HelpTest, TopicsMapToPagesOfTheHelpFolder) {
  const std::string help = ProgramFolder() + "help/";
  const struct {
    std::string topic;
    std::string page;
  } cases[] = {
      {kHelpTopicSettings, "ProgrammSettings.htm"},
      {kHelpTopicGroupProperties, "FolderGeneralProperties.htm"},
      {"", "index.html"},
      {"keyboard.html", "keyboard.html"},
      // Nothing outside the help folder is opened.
      {"::/../../etc/passwd", "index.html"},
      {"::/..", "index.html"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.topic);
    EXPECT_EQ(HelpPagePath(test.topic), help + test.page);
  }
}

TEST(FeedbackTest, MailAddressesAndSubjectsNameTheVersion) {
  ProjectAddresses addresses;
  addresses.support_mail = "support@tarsel.example";
  addresses.general_mail = "info@tarsel.example";
  EXPECT_EQ(FeedbackMailUrl(FeedbackKind::kBugReport, addresses),
            "mailto:support@tarsel.example?subject=Bug%20Report[Tarsel - 2.0 build 158]");
  EXPECT_EQ(FeedbackMailUrl(FeedbackKind::kSuggestion, addresses),
            "mailto:info@tarsel.example?subject=Suggestion[Tarsel - 2.0 build 158]");
  EXPECT_EQ(FeedbackMailUrl(FeedbackKind::kInformationRequest, addresses),
            "mailto:info@tarsel.example?subject=Information%20Request[Tarsel - 2.0 build 158]");
  // A build that names no address leaves it to the user.
  EXPECT_EQ(FeedbackMailUrl(FeedbackKind::kBugReport, ProjectAddresses{}),
            "mailto:?subject=Bug%20Report[Tarsel - 2.0 build 158]");
}

}  // namespace
}  // namespace tarsel
