#include "platform/url_combine.h"

#include <curl/curl.h>

#include <memory>

namespace tarsel {
namespace {

struct UrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

struct CurlStringDeleter {
  void operator()(char* text) const { curl_free(text); }
};

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// RFC 3986: ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) ":".
bool HasScheme(std::string_view reference) {
  if (reference.empty() || !IsAsciiLetter(reference[0])) return false;
  for (size_t i = 1; i < reference.size(); ++i) {
    const char c = reference[i];
    if (c == ':') return true;
    if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
      return false;
    }
  }
  return false;
}

// Any scheme is accepted (feeds link to ftp, news and more); spaces and other bytes a URL may not
// hold are percent-encoded rather than rejected.
constexpr unsigned int kFlags = CURLU_NON_SUPPORT_SCHEME | CURLU_URLENCODE;

// curl resolves a reference that is only a fragment against the base's folder; RFC 3986 keeps
// the whole base and replaces only its fragment.
bool SetReference(CURLU* url, const std::string& relative) {
  if (relative.empty()) return true;
  if (relative[0] == '#') {
    const char* fragment = relative.size() > 1 ? relative.c_str() + 1 : nullptr;
    return curl_url_set(url, CURLUPART_FRAGMENT, fragment, CURLU_URLENCODE) == CURLUE_OK;
  }
  return curl_url_set(url, CURLUPART_URL, relative.c_str(), kFlags) == CURLUE_OK;
}

}  // namespace

std::optional<std::string> CombineUrl(std::string_view base, std::string_view relative) {
  if (HasScheme(relative)) return std::string(relative);
  UrlHandle url(curl_url());
  if (!url) return std::nullopt;
  // curl reads C strings; an embedded zero byte would silently cut the URL.
  if (base.find('\0') != std::string_view::npos || relative.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  const std::string base_text(base);
  const std::string relative_text(relative);
  if (curl_url_set(url.get(), CURLUPART_URL, base_text.c_str(), kFlags) != CURLUE_OK) {
    return std::nullopt;
  }
  if (!SetReference(url.get(), relative_text)) return std::nullopt;
  char* combined = nullptr;
  if (curl_url_get(url.get(), CURLUPART_URL, &combined, 0) != CURLUE_OK || combined == nullptr) {
    return std::nullopt;
  }
  std::unique_ptr<char, CurlStringDeleter> owner(combined);
  return std::string(combined);
}

}  // namespace tarsel
