#include "html/links.h"

#include "html/attributes.h"

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

void ResolveNode(Node& node, LinkResolver& resolver) {
  if (node.IsText()) return;
  for (Attribute& attribute : node.attributes) {
    std::optional<std::string> resolved =
        resolver.Resolve(node.kind, attribute.name, attribute.value);
    if (resolved) attribute.value = std::move(*resolved);
  }
  for (Node& child : node.children) ResolveNode(child, resolver);
}

}  // namespace

std::optional<std::string> LinkResolver::Resolve(TagKind kind, std::string_view name,
                                                 std::string_view value) {
  if (kind != kAnchor && kind != kImage) return std::nullopt;
  if (name != "href" && name != "src") return std::nullopt;
  if (StartsWithHttp(value)) return std::nullopt;
  if (!combiner_) combiner_.emplace(base_url_);
  std::optional<std::string> combined = combiner_->Combine(value);
  if (!combined || combined->size() >= kMaxCombinedLength) return std::nullopt;
  // The base comes from the feed too: a "javascript:" base must not turn a harmless relative
  // link into script.
  if (IsUnsafeUrl(*combined, kind == kImage && name == "src")) return std::nullopt;
  return combined;
}

void ResolveLinks(NodeList& nodes, std::string_view base_url) {
  LinkResolver resolver(base_url);
  for (Node& node : nodes) ResolveNode(node, resolver);
}

}  // namespace tarsel::HTML
