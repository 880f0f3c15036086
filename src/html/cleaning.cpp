#include "html/cleaning.h"

#include <optional>
#include <vector>

#include "html/entities.h"
#include "html/links.h"
#include "html/markup_writer.h"
#include "html/parser.h"
#include "html/text.h"

// The feed readers clean every description, so these run straight off the parser without
// building a tree; they give what the tree renderings give.
namespace tarsel::HTML {
namespace {

class CleanedHtmlWriter : public ParseHandler {
 public:
  CleanedHtmlWriter(LinkResolver* resolver, std::string& out) : out_(out), resolver_(resolver) {}

  void OnText(std::string_view raw_text) override { AppendText(raw_text, out_); }

  void OnOpen(const OpeningTag& tag) override {
    if (tag.kind == kLink) return;  // style sheets; an empty element, so no OnClose follows
    if (!resolver_ || (tag.kind != kAnchor && tag.kind != kImage)) {
      AppendOpeningTag(tag.name, tag.attributes, tag.empty_element, out_);
      return;
    }
    // Resolved values are kept aside first, since the views must not move while filling.
    resolved_.clear();
    for (const AttributeView& attribute : tag.attributes) {
      resolved_.push_back(resolver_->Resolve(tag.kind, attribute.name, attribute.value));
    }
    attributes_.assign(tag.attributes.begin(), tag.attributes.end());
    for (size_t i = 0; i < attributes_.size(); ++i) {
      if (resolved_[i]) attributes_[i].value = *resolved_[i];
    }
    AppendOpeningTag(tag.name, attributes_, tag.empty_element, out_);
  }

  void OnClose(std::string_view name, TagKind, bool) override { AppendClosingTag(name, out_); }

 private:
  std::string& out_;
  LinkResolver* resolver_;
  std::vector<std::optional<std::string>> resolved_;
  std::vector<AttributeView> attributes_;
};

class PlainTextWriter : public ParseHandler {
 public:
  PlainTextWriter(int code_page, std::string& out) : code_page_(code_page), out_(out) {}

  void OnText(std::string_view raw_text) override {
    AppendDecodedEntities(raw_text, code_page_, out_);
  }

  void OnOpen(const OpeningTag& tag) override {
    // An empty element has no OnClose; its line feed comes at once.
    if (tag.empty_element && EndsWithLineFeed(tag.kind)) out_ += '\n';
  }

  void OnClose(std::string_view, TagKind kind, bool) override {
    if (EndsWithLineFeed(kind)) out_ += '\n';
  }

 private:
  int code_page_;
  std::string& out_;
};

}  // namespace

std::string CleanHtml(std::string_view html, std::string_view base_url) {
  if (base_url.empty()) return CleanHtml(html, nullptr);
  LinkResolver resolver(base_url);
  return CleanHtml(html, &resolver);
}

std::string CleanHtml(std::string_view html, LinkResolver* resolver) {
  std::string out;
  out.reserve(html.size() + html.size() / 8);
  CleanedHtmlWriter writer(resolver, out);
  ParseWith(html, writer);
  return out;
}

std::string HtmlToPlainText(std::string_view html, int code_page) {
  std::string out;
  out.reserve(html.size());
  PlainTextWriter writer(code_page, out);
  ParseWith(html, writer);
  return out;
}

std::string MakeSummary(std::string_view html, int max_lines, int code_page) {
  std::string text = HtmlToPlainText(html, code_page);
  LimitLinesInPlace(text, max_lines);
  return text;
}

}  // namespace tarsel::HTML
