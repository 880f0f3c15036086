#include "parse/lists/opml_export.h"

#include <chrono>
#include <string_view>

#include "parse/xml/xml_writer.h"
#include "platform/atomic_file.h"
#include "platform/system_code_page.h"
#include "store/column_read_lock.h"

namespace tarsel {

namespace {

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\"  encoding=\"utf-8\" ?>\n"
    "<opml version=\"1.0\">\n"
    "<head>\n"
    "\t<title>Tarsel Feeds</title>\n"
    "\t<ownerName></ownerName>\n"
    "\t<ownerEmail></ownerEmail>\n"
    "</head>\n"
    "<body>\n";
constexpr std::string_view kFooter = "</body>\n</opml>\n";
// A merge holds its column's lock for a moment; an export is worth that moment, not more.
constexpr std::chrono::milliseconds kMergePatience(2000);

void AppendAttribute(std::string& out, std::string_view name, std::string_view value,
                     int code_page) {
  out += name;
  out += "=\"";
  out += EscapeXmlAttribute(CodePageToUtf8(value, code_page));
  out += "\" ";
}

void AppendOutline(std::string& out, const Column& column, int code_page) {
  auto attribute = [&out, code_page](std::string_view name, std::string_view value) {
    AppendAttribute(out, name, value, code_page);
  };
  const ChannelInfo& channel = column.channel;
  std::string_view description = channel.description;
  description = description.substr(0, description.find('"'));
  out += "\t<outline ";
  attribute("text", channel.title);
  attribute("description", description);
  attribute("htmlUrl", channel.link);
  attribute("title", channel.title);
  out += "type=\"rss\" version=\"RSS\" ";
  attribute("xmlUrl", column.url);
  out += "/>\n";
}

}  // namespace

std::string OpmlExportText(const std::vector<std::shared_ptr<Column>>& columns, int code_page) {
  std::string out(kHeader);
  for (const auto& column : columns) {
    // A worker may be replacing the channel, or moving the URL after a permanent redirect.
    const ColumnReadLock read(*column, kMergePatience);
    if (!read.readable()) return "";
    AppendOutline(out, *column, code_page);
  }
  out += kFooter;
  return out;
}

std::string OpmlExportText(const ColumnTree& tree, int code_page) {
  return OpmlExportText(tree.Columns(), code_page);
}

bool ExportOpml(const ColumnTree& tree, const std::string& path, int code_page) {
  return ExportOpml(tree.Columns(), path, code_page);
}

bool ExportOpml(const std::vector<std::shared_ptr<Column>>& columns, const std::string& path,
                int code_page) {
  const std::string text = OpmlExportText(columns, code_page);
  return !text.empty() && WriteFileAtomically(path, text, 0644, false);
}

}  // namespace tarsel
