#include "platform/url_combine.h"

#include <curl/curl.h>

namespace tarsel {
namespace {

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

// curl reads C strings; an embedded zero byte would silently cut the URL.
bool HasZero(std::string_view text) {
  return text.find('\0') != std::string_view::npos;
}

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

void UrlCombiner::Deleter::operator()(CURLU* url) const {
  curl_url_cleanup(url);
}

UrlCombiner::UrlCombiner(std::string_view base) {
  if (HasZero(base)) return;
  std::unique_ptr<CURLU, Deleter> url(curl_url());
  if (url &&
      curl_url_set(url.get(), CURLUPART_URL, std::string(base).c_str(), kFlags) == CURLUE_OK) {
    base_ = std::move(url);
  }
}

UrlCombiner::~UrlCombiner() = default;

std::optional<std::string> UrlCombiner::Combine(std::string_view relative) const {
  if (!base_ || HasZero(relative)) return std::nullopt;
  if (HasScheme(relative)) return std::string(relative);
  std::unique_ptr<CURLU, Deleter> url(curl_url_dup(base_.get()));
  if (!url || !SetReference(url.get(), std::string(relative))) return std::nullopt;
  char* combined = nullptr;
  if (curl_url_get(url.get(), CURLUPART_URL, &combined, 0) != CURLUE_OK || combined == nullptr) {
    return std::nullopt;
  }
  std::unique_ptr<char, CurlStringDeleter> owner(combined);
  return std::string(combined);
}

std::optional<std::string> CombineUrl(std::string_view base, std::string_view relative) {
  return UrlCombiner(base).Combine(relative);
}

}  // namespace tarsel
