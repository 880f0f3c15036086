#include "html/links.h"

#include <string>

#include "html/attributes.h"
#include "platform/url_combine.h"

namespace tarsel::HTML {
namespace {

// Combined links of this length or more are left as they were.
constexpr size_t kMaxCombinedLength = 1024;

bool StartsWithHttp(std::string_view value) {
  if (value.size() < 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    if ((value[i] | 0x20) != "http"[i]) return false;
  }
  return true;
}

void ResolveAttribute(Attribute& attribute, TagKind kind, std::string_view base_url) {
  if (attribute.name != "href" && attribute.name != "src") return;
  if (StartsWithHttp(attribute.value)) return;
  std::optional<std::string> combined = CombineUrl(base_url, attribute.value);
  if (!combined || combined->size() >= kMaxCombinedLength) return;
  // The base comes from the feed too: a "javascript:" base must not turn a harmless relative
  // link into script.
  if (IsUnsafeUrl(*combined, kind == kImage && attribute.name == "src")) return;
  attribute.value = std::move(*combined);
}

void ResolveNode(Node& node, std::string_view base_url) {
  if (node.IsText()) return;
  if (node.kind == kAnchor || node.kind == kImage) {
    for (Attribute& attribute : node.attributes) ResolveAttribute(attribute, node.kind, base_url);
  }
  for (Node& child : node.children) ResolveNode(child, base_url);
}

}  // namespace

void ResolveLinks(NodeList& nodes, std::string_view base_url) {
  for (Node& node : nodes) ResolveNode(node, base_url);
}

}  // namespace tarsel::HTML
