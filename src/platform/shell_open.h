#pragma once

// Hands documents and web addresses to the desktop's default handlers through xdg-open.
// xdg-open is started directly (no shell), with its output sent to /dev/null, and reaped by
// a detached thread so no zombie is left behind. Every launch fails silently; the result
// only says whether xdg-open could be started. Thread-safe.

#include <string>

namespace tarsel {

// Opens a web address (http:, https:, mailto:, file: ...) in the user's browser or mail
// program. The url is handed over as the only argument; a url that starts with '-' would be
// read as an option and is refused.
bool OpenUrlInBrowser(const std::string& url);

// Opens a local document with its default program (an .html page: the browser). A relative
// path starting with '-' is passed as "./" + path.
bool OpenDocument(const std::string& path);

}  // namespace tarsel
