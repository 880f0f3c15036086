#pragma once

// The name in an author element, as feeds write a person: "Name <mail>", "mail (Name)", or the
// name alone. Texts are bytes as the document carried them, so the angle brackets may stand as
// "&lt;" and "&gt;", as XML text writes them. Any thread.

#include <string>
#include <string_view>

namespace tarsel::feeds {

// The name alone when `text` pairs a name with a mail address in either form ("Jane Roe
// <jane@example.com>", "\"Jane Roe\" &lt;jane@example.com&gt;", "jane@example.com (Jane Roe)");
// `text` itself otherwise: a bare address, a name without one, "Name (Company)".
std::string AuthorName(std::string_view text);

}  // namespace tarsel::feeds
