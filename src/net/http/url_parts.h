#pragma once

// URLs split into their parts with libcurl's URL API. Texts are bytes; percent escapes stay as
// they are except in the embedded user name and password, which are decoded.

#include <string>

namespace tarsel::HTTP {

enum class UrlScheme { kHttp, kHttps };

struct CUrlParts {
  std::string url;  // the whole URL as given
  UrlScheme scheme = UrlScheme::kHttp;
  int port = 0;            // the URL's port, or 80 / 443 when it names none
  std::string host;        // IPv6 hosts keep their brackets
  std::string path;        // starts with '/'
  std::string extra_info;  // the query with its leading '?'; empty when there is none
  std::string user_name;   // embedded in the URL, decoded; empty when none
  std::string password;    // embedded in the URL, decoded; empty when none
  // What the transfer uses: the URL without credentials and fragment, with blanks and bytes
  // above 127 percent-encoded.
  std::string fetch_url;
};

// Splits an http or https URL. Throws CHttpExeption code 3 for a URL holding CR, LF or NUL, for
// one libcurl cannot parse, without a host, or with any other scheme.
CUrlParts CrackUrl(const std::string& url);

// The absolute URL a "location" header points to, resolved against the URL it came from (an
// absolute location stands alone). Throws CHttpExeption code 3 when it cannot be resolved or is
// not http or https.
CUrlParts ResolveLocation(const CUrlParts& base, const std::string& location);

// True when the text holds a byte that must never reach a request line or header: CR, LF, NUL.
bool HasLineBreakOrNul(const std::string& text);

}  // namespace tarsel::HTTP
