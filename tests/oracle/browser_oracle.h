#pragma once

// A second opinion on cleaned HTML: the text is read by a conforming HTML5 parser (gumbo), as a
// browser reads a page body, and the resulting tree is searched for what the cleaner promises
// to remove. Used by the tests and the fuzz targets only. Any thread.

#include <string>
#include <string_view>

namespace tarsel::testing {

// What in `html` would run script or load a foreign document, as "element: reason", one per
// line; empty when nothing does. Looked for: the elements script, style, iframe, frame,
// frameset, embed, applet, object, base, meta, link and the form controls (form, input,
// button, select, textarea); SVG animations whose attributeName names an event handler;
// markup that swallows the page after it (an open attribute, comment or raw text, so that an
// element put after `html` is no element) or holds a zero byte; attributes named on*; URL
// attributes with a javascript:, vbscript: or data: scheme (an img src may hold data:image/); SVG
// animation values with such a scheme in their list; style values with expression(, behavior:,
// -moz-binding or a url() with a script scheme. Bytes are taken as Windows-1252 would give
// them: every byte beyond ASCII stands for a letter, never for markup.
std::string FindScriptRisk(std::string_view html);

}  // namespace tarsel::testing
