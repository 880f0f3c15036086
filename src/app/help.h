#pragma once

// The help pages: HTML files in the program folder's help/ folder, shown in the browser.
// Main thread. Launch failures are silent.

#include <string>

namespace tarsel {

// Topics as the settings pages and the group properties page name them.
inline constexpr const char* kHelpTopicSettings = "::/ProgrammSettings.htm";
inline constexpr const char* kHelpTopicGroupProperties = "::/FolderGeneralProperties.htm";

// The page file of a topic: ProgramFolder() + "help/" + the topic without its "::/" (or "/")
// prefix. An empty topic gives the contents page, help/index.html. Topics that would leave the
// help folder ("..", further '/') give the contents page too.
std::string HelpPagePath(const std::string& topic);

// Opens the table of contents.
void ShowHelpContents();
// Opens one topic, such as kHelpTopicSettings.
void ShowHelpTopic(const std::string& topic);

}  // namespace tarsel
