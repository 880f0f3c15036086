#pragma once

// Where the program reaches its makers: the home page, the feedback mail addresses, the file
// that names the newest version and the feed directory "Find columns" searches. A build sets
// them (cmake -DTARSEL_HOME_PAGE=... -DTARSEL_SUPPORT_MAIL=... -DTARSEL_GENERAL_MAIL=...
// -DTARSEL_VERSION_FILE_URL=... -DTARSEL_DIRECTORY_URL=...). Each is empty unless set: the
// program then asks no made-up host, and the command that needs the address says so or does
// without it. Any thread.

#include <string>

namespace tarsel {

struct ProjectAddresses {
  std::string home_page;
  std::string support_mail;
  std::string general_mail;
  std::string version_file;
  std::string directory;
};

const ProjectAddresses& BuiltInAddresses();

}  // namespace tarsel
