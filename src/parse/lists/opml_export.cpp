#include "parse/lists/opml_export.h"

#include <string_view>

#include "parse/xml/xml_writer.h"
#include "platform/atomic_file.h"

namespace tarsel {

namespace {

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\"  encoding=\"windows-1251\" ?>\n"
    "<opml version=\"1.0\">\n"
    "<head>\n"
    "\t<title>Tarsel Feeds</title>\n"
    "\t<ownerName></ownerName>\n"
    "\t<ownerEmail></ownerEmail>\n"
    "</head>\n"
    "<body>\n";
constexpr std::string_view kFooter = "</body>\n</opml>\n";

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
  out += name;
  out += "=\"";
  out += EscapeXmlAttribute(value);
  out += "\" ";
}

void AppendOutline(std::string& out, const Column& column) {
  const ChannelInfo& channel = column.channel;
  std::string_view description = channel.description;
  description = description.substr(0, description.find('"'));
  out += "\t<outline ";
  AppendAttribute(out, "text", channel.title);
  AppendAttribute(out, "description", description);
  AppendAttribute(out, "htmlUrl", channel.link);
  AppendAttribute(out, "title", channel.title);
  out += "type=\"rss\" version=\"RSS\" ";
  AppendAttribute(out, "xmlUrl", column.url);
  out += "/>\n";
}

}  // namespace

std::string OpmlExportText(const ColumnTree& tree) {
  std::string out(kHeader);
  for (const auto& column : tree.Columns()) AppendOutline(out, *column);
  out += kFooter;
  return out;
}

bool ExportOpml(const ColumnTree& tree, const std::string& path) {
  return WriteFileAtomically(path, OpmlExportText(tree), 0644, false);
}

}  // namespace tarsel
