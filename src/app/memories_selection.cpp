#include "app/memories_selection.h"

#include "html/cleaning.h"
#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/text_cleanup.h"
#include "settings/settings.h"
#include "store/memories_operations.h"
#include "update/update_options.h"

namespace tarsel {

RecordRef RecordFromSelection(const std::string& selected_html, const std::string& page_url,
                              const std::string& page_title) {
  if (selected_html.empty()) return nullptr;
  auto record = std::make_shared<Record>();
  record->description = selected_html;
  record->link = page_url;
  record->title = page_title;
  if (record->title.empty()) {
    const EncodingChoice choice = EncodingForSettings(*CurrentSettings());
    std::string text = HTML::HtmlToPlainText(selected_html, CodePageForEncoding(choice));
    CollapseBlanks(text);
    record->title = ShortenText(text, 50);
  }
  return record;
}

bool AddSelectionToMemories(const std::string& selected_html, const std::string& page_url,
                            const std::string& page_title, MemoriesColumn& target) {
  RecordRef record = RecordFromSelection(selected_html, page_url, page_title);
  if (!record) return false;
  AddRecordToMemories(*record, target);
  return true;
}

}  // namespace tarsel
