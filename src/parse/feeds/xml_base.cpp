#include "parse/feeds/xml_base.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "html/attributes.h"
#include "html/entities.h"
#include "platform/url_combine.h"

namespace tarsel::feeds {

namespace {

bool CannotBeUrl(std::string_view value) {
  return std::any_of(value.begin(), value.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7f || c == '"' || c == '<' || c == '>';
  });
}

}  // namespace

bool HasScheme(std::string_view address) {
  if (address.empty() || !std::isalpha(static_cast<unsigned char>(address[0]))) return false;
  for (char c : address) {
    if (c == ':') return true;
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') {
      return false;
    }
  }
  return false;
}

std::string NestedBase(const std::string& outer, const XMLParser::Node& element) {
  const std::string& written = element.GetAttribute("xml:base");
  if (written.empty()) return outer;
  // Entities here are plain XML ones (&amp;); no code page matters for them.
  const std::string value = HTML::DecodeEntities(written, 1252, HTML::EntityContext::kAttribute);
  if (CannotBeUrl(value) || HTML::IsUnsafeUrl(value, false)) return outer;
  if (HasScheme(value)) return UrlCombiner(value).valid() ? value : outer;
  if (outer.empty()) return value;
  if (!HasScheme(outer)) return outer;
  std::optional<std::string> combined = CombineUrl(outer, value);
  return combined ? *combined : outer;
}

std::string ResolvedAgainst(const std::string& base, std::string address) {
  if (base.empty() || address.empty()) return address;
  std::optional<std::string> resolved = CombineUrl(base, address);
  return resolved ? std::move(*resolved) : address;
}

}  // namespace tarsel::feeds
