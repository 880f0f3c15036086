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
  // With `max_lines` above 0 the parse ends once the text holds so many lines that
  // LimitLinesInPlace(max_lines) cuts it: what would follow is cut anyway.
  PlainTextWriter(int code_page, std::string& out, int max_lines = 0)
      : code_page_(code_page), out_(out), max_lines_(max_lines) {}

  bool WantsMore() override {
    if (max_lines_ <= 0) return true;
    // Counted as LimitLinesInPlace counts: a run of line breaks after other text is a line.
    for (; counted_ < out_.size(); ++counted_) {
      const bool line_break = out_[counted_] == '\r' || out_[counted_] == '\n';
      if (line_break && !in_breaks_ && seen_text_) ++lines_;
      seen_text_ = seen_text_ || !line_break;
      in_breaks_ = line_break;
    }
    return lines_ < max_lines_;
  }

  void OnText(std::string_view raw_text) override {
    // As in an attribute: feeds write addresses into text unescaped, and "&section=2" of a
    // query is text, not "§ion=2". The cleaned HTML keeps such an '&' as text too.
    AppendDecodedEntities(raw_text, code_page_, out_, EntityContext::kAttribute);
  }

  void OnOpen(const OpeningTag& tag) override {
    // An empty element has no OnClose; its line feed comes at once.
    if (tag.empty_element && EndsWithLineFeed(tag.kind)) out_ += '\n';
  }

  void OnClose(std::string_view, TagKind kind, bool) override {
    if (EndsWithLineFeed(kind)) out_ += '\n';
  }

  bool WantsAttributes() const override { return false; }

 private:
  int code_page_;
  std::string& out_;
  int max_lines_;
  // How far WantsMore has counted lines in `out_`.
  size_t counted_ = 0;
  int lines_ = 0;
  bool seen_text_ = false;
  bool in_breaks_ = false;
};

// Hands one parse to both writers; the plain text only until it has its lines, as MakeSummary
// stops there (the elements still open then add only line breaks, which the cut drops).
class CleanedAndPlainWriter : public ParseHandler {
 public:
  CleanedAndPlainWriter(CleanedHtmlWriter& cleaned, PlainTextWriter& plain)
      : cleaned_(cleaned), plain_(plain) {}

  bool WantsMore() override {
    plain_wants_more_ = plain_wants_more_ && plain_.WantsMore();
    return true;
  }

  void OnText(std::string_view raw_text) override {
    cleaned_.OnText(raw_text);
    if (plain_wants_more_) plain_.OnText(raw_text);
  }

  void OnOpen(const OpeningTag& tag) override {
    cleaned_.OnOpen(tag);
    if (plain_wants_more_) plain_.OnOpen(tag);
  }

  void OnClose(std::string_view name, TagKind kind, bool closed_in_source) override {
    cleaned_.OnClose(name, kind, closed_in_source);
    if (plain_wants_more_) plain_.OnClose(name, kind, closed_in_source);
  }

 private:
  CleanedHtmlWriter& cleaned_;
  PlainTextWriter& plain_;
  bool plain_wants_more_ = true;
};

// Records keep their description and summary for as long as the program runs, so they are
// written into a buffer the thread keeps and then copied out at their size: one allocation that
// fits, where a string reserved for the worst case took a second one to give the rest back.
class ScratchText {
 public:
  // `buffer` is one of the thread's own.
  explicit ScratchText(std::string& buffer) : buffer_(buffer) { buffer_.clear(); }
  ~ScratchText() {
    // A huge text does not stay with the thread.
    if (buffer_.capacity() > kLargestKept) std::string().swap(buffer_);
  }
  ScratchText(const ScratchText&) = delete;
  ScratchText& operator=(const ScratchText&) = delete;

  std::string& Buffer() { return buffer_; }
  // A copy holds exactly the text.
  std::string Copy() const { return buffer_; }

 private:
  static constexpr size_t kLargestKept = size_t{256} << 10;
  std::string& buffer_;
};

thread_local std::string t_cleaned_buffer;
thread_local std::string t_plain_buffer;

}  // namespace

std::string CleanHtml(std::string_view html, std::string_view base_url) {
  if (base_url.empty()) return CleanHtml(html, nullptr);
  LinkResolver resolver(base_url);
  return CleanHtml(html, &resolver);
}

std::string CleanHtml(std::string_view html, LinkResolver* resolver) {
  ScratchText out(t_cleaned_buffer);
  CleanedHtmlWriter writer(resolver, out.Buffer());
  ParseWith(html, writer);
  return out.Copy();
}

std::string HtmlToPlainText(std::string_view html, int code_page) {
  std::string out;
  out.reserve(html.size());
  PlainTextWriter writer(code_page, out);
  ParseWith(html, writer);
  return out;
}

std::string CleanHtmlWithSummary(std::string_view html, LinkResolver* resolver, int max_lines,
                                 int code_page, std::string& summary) {
  ScratchText out(t_cleaned_buffer);
  ScratchText text(t_plain_buffer);
  CleanedHtmlWriter cleaned(resolver, out.Buffer());
  PlainTextWriter plain(code_page, text.Buffer(), max_lines);
  CleanedAndPlainWriter both(cleaned, plain);
  ParseWith(html, both);
  LimitLinesInPlace(text.Buffer(), max_lines);
  summary = text.Copy();
  return out.Copy();
}

std::string MakeSummary(std::string_view html, int max_lines, int code_page) {
  ScratchText text(t_plain_buffer);
  PlainTextWriter writer(code_page, text.Buffer(), max_lines);
  ParseWith(html, writer);
  LimitLinesInPlace(text.Buffer(), max_lines);
  return text.Copy();
}

}  // namespace tarsel::HTML
