#pragma once

// Header values of the update mails that carry more than ASCII (a Cyrillic or Chinese column
// name in the subject) go out as RFC 2047 encoded words. Pure; any thread.

#include <string>
#include <string_view>

namespace tarsel {

// `utf8` unchanged when it is all ASCII; otherwise "=?UTF-8?B?...?=" encoded words of at most
// 45 text bytes each (so each stays within 75 characters), joined by a folding "\r\n " and never
// splitting a UTF-8 character.
std::string EncodeHeaderWords(std::string_view utf8);

}  // namespace tarsel
