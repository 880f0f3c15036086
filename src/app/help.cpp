#include "app/help.h"

#include "platform/folders.h"
#include "platform/shell_open.h"

namespace tarsel {

std::string HelpPagePath(const std::string& topic) {
  std::string page = topic;
  if (page.rfind("::", 0) == 0) page.erase(0, 2);
  if (!page.empty() && page[0] == '/') page.erase(0, 1);
  if (page.empty() || page.find('/') != std::string::npos || page == "." || page == "..") {
    page = "index.html";
  }
  return ProgramFolder() + "help/" + page;
}

void ShowHelpContents() {
  OpenDocument(HelpPagePath(""));
}

void ShowHelpTopic(const std::string& topic) {
  OpenDocument(HelpPagePath(topic));
}

}  // namespace tarsel
