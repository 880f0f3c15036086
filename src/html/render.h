#pragma once

#include <string>

#include "html/node.h"

namespace tarsel::HTML {

// The cleaned HTML of the nodes: text as AppendText writes it (markup_writer.h), comments and link
// elements left out, tags rebuilt as <name attr="value" ...> with every element closed. In values,
// '"', '<' and '>' become &quot;, &lt; and &gt;.
std::string CleanedHtml(const NodeList& nodes);
void AppendCleanedHtml(const Node& node, std::string& out);

// The plain text of the nodes: text entity-decoded for `code_page`; br, hr, tr, div and li end
// with a line feed.
std::string PlainText(const NodeList& nodes, int code_page);
void AppendPlainText(const Node& node, int code_page, std::string& out);

// The nodes as a pattern of the date-pattern syntax ("{<a}{>}{% param0}{</a>}"). `counter`
// numbers the parameters and advances with each one.
std::string StructurePattern(const NodeList& nodes, int& counter);

}  // namespace tarsel::HTML
