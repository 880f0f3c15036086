#include "parse/feeds/record_fields.h"

#include "html/cleaning.h"
#include "parse/feeds/text_cleanup.h"
#include "settings/settings.h"

namespace tarsel::feeds {

namespace {

// How many bytes of the summary stand in for a missing title.
constexpr size_t kTitleFromSummaryLength = 50;

}  // namespace

int SummaryLineLimit() {
  std::shared_ptr<const Settings> settings = CurrentSettings();
  return settings->descriptions_limitrows ? settings->descriptions_rows : 0;
}

void RemoveTitleMarkup(std::string& title) {
  if (title.find('<') != std::string::npos) title = HTML::HtmlToPlainText(title);
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
