#pragma once

// The Blog Settings dialog's rules without the dialog: the defaults offered when the service
// changes, and the checks made when OK is pressed. Texts are bytes in the program's code page.
// Pure functions; any thread.

#include <optional>
#include <string>

#include "settings/settings.h"

namespace tarsel {

// What the dialog's fields hold when OK is pressed.
struct BlogSettingsInput {
  bool external_tool = false;  // the Blogging tool is the external client
  std::string service;         // empty when none is selected
  std::string host;
  std::string page;
  std::string user;
  std::string password;
};

// The Host and Page texts after the user chose `service`: Blogger's defaults replace empty
// fields and the Movable Type placeholders, and the other way round. LiveJournal keeps them.
void ApplyServiceDefaults(const std::string& service, std::string& host, std::string& page);

// Applies OK to blog. Returns the message that keeps the dialog open, or nothing when the
// dialog closes with OK. `tool` changes even when a message is returned, as the dialog's own
// order has it; the account fields are stored only when the dialog closes.
std::optional<std::string> ApplyBlogSettingsInput(const BlogSettingsInput& input,
                                                  BlogSettings& blog);

}  // namespace tarsel
