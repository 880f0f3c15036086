#include "parse/feeds/record_fields.h"

#include "html/cleaning.h"
#include "parse/feeds/text_cleanup.h"

namespace tarsel::feeds {

namespace {

// How many characters of the summary stand in for a missing title.
constexpr size_t kTitleFromSummaryLength = 50;

}  // namespace

void SummarizeDescription(Record& record, size_t position, const ReadSettings& read) {
  if (read.summaries_left != nullptr && !record.title.empty()) {
    record.summary.clear();
    read.summaries_left->push_back(position);
    return;
  }
  record.summary = HTML::MakeSummary(record.description, read.summary_lines, read.code_page);
}

void RemoveTitleMarkup(std::string& title, int code_page) {
  if (title.find('<') != std::string::npos) title = HTML::HtmlToPlainText(title, code_page);
}

std::string LinkOf(const XMLParser::Node& link) {
  const std::string& href = link.GetAttribute("href");
  return href.empty() ? link.text : href;
}

void FinishTitle(Record& record) {
  if (record.title.empty() && !record.summary.empty()) {
    record.title = ShortenText(record.summary, kTitleFromSummaryLength);
  }
  CollapseBlanks(record.title);
}

void TakeTextIfPresent(const XMLParser::Node& element, std::string& field) {
  if (!element.IsNull()) field = element.text;
}

}  // namespace tarsel::feeds
