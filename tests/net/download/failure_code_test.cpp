#include "net/download/failure_code.h"

#include <gtest/gtest.h>

#include "net/download/failure_texts.h"
#include "settings/translation_table.h"

namespace tarsel {
namespace {

TEST(FailureMessageTest, PlainAndHtmlForms) {
  const struct {
    FailureCode code;
    const char* plain;
    const char* html;
  } cases[] = {
      {4, "Error parsing column data", "Error parsing column data"},
      {5,
       "This is not rss column.\n The link to RSS file was autodiscovered\nNew link will be used "
       "in next update",
       "This is not rss column.<br> The link to RSS file was autodiscovered<br>New link will be "
       "used in next update"},
      {7, "Authentication failed.\n Open column properties and enter user name and login",
       "Authentication failed.<br> Open column properties and enter user name and login"},
      {8, "Proxy authorization failed. \n.", "Proxy authorization failed. <br>."},
      {9,
       "HTTP 403 Error (Forbidden). \nYou should unsubscribe from this column or enter another "
       "url.",
       "HTTP 403 Error (Forbidden). <br>You should unsubscribe from this column or enter another "
       "url."},
      {160, "Error opening column url.", "Error opening column url."},
      {161, "HTTP 404 Error. \nYou should unsubscribe from this column or enter another url.",
       "HTTP 404 Error. <br>You should unsubscribe from this column or enter another url."},
      {165, "HTTP 400 Error. \nProbably you should try later.", "Unknown Error"},
      {166, "Can't find server. \nProbably you should try later.",
       "Can't find server. <br>Probably you should try later."},
      {0, "Unknown Error", "Unknown Error"},
      {42, "Unknown Error", "Unknown Error"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FailureMessage(c.code), c.plain) << c.code;
    EXPECT_EQ(FailureMessageHtml(c.code), c.html) << c.code;
  }
}

// A translation file is anyone's: its text is shown as text in the record pane, never as markup.
TEST(FailureMessageTest, TranslatedPiecesAreTextInTheHtmlForm) {
  ProcessTranslations().strings[failure_text::kNotFound.id] = "<img src=x onerror=alert(1)> 404 ";
  const std::string plain = FailureMessage(kFailureNotFound);
  const std::string html = FailureMessageHtml(kFailureNotFound);
  ProcessTranslations() = TranslationTable();
  EXPECT_EQ(plain.substr(0, 34), "<img src=x onerror=alert(1)> 404 \n");
  EXPECT_EQ(html.substr(0, 50), "&lt;img src=x onerror=alert(1)&gt; 404 <br>You sho");
}

TEST(FailureCodeForHttpErrorTest, MapsEveryExceptionCode) {
  const std::pair<int32_t, FailureCode> cases[] = {
      {1, 1},     {2, 3},     {3, 3},     {4, 3},     {5, 2},     {6, 6},
      {7, 7},     {8, 8},     {9, 9},     {160, 161}, {161, 162}, {162, 163},
      {163, 165}, {164, 164}, {165, 160}, {166, 2},   {0, 2},     {-1, 2},
  };
  for (const auto& [exception_code, stored] : cases) {
    EXPECT_EQ(FailureCodeForHttpError(exception_code), stored) << exception_code;
  }
}

}  // namespace
}  // namespace tarsel
