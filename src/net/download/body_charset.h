#pragma once

// The character-set conversion a downloaded feed body goes through before it is cached.

#include <string>
#include <string_view>

#include "parse/charsets/encoding_choice.h"

namespace tarsel {

// Converts a whole (decompressed) body in place into the program's code page (of `choice`), by
// the charset of the response's "content-type" value. Returns whether a conversion ran (the
// column's charset-converted flag): the merge then leaves the declared encoding alone.
// - To a single-byte code page, by the charset code (HTTP CharsetFromContentType): KOI8-R to
//   Windows-1251, ISO-8859-2 to Windows-1250, UTF-8 to the code page; a body with no usable
//   charset is converted from UTF-8 when it is valid UTF-8.
// - To UTF-8 (BodyToUtf8): any charset the C library knows is converted, valid UTF-8 stays
//   whatever the label says; a body with no label, or one that is not known, is left to the
//   merge (false) unless it is UTF-8.
// Any thread.
bool ConvertDownloadedText(std::string& text, std::string_view content_type, EncodingChoice choice);

// The step the merge runs on a cached body before parsing it, when the program's code page (of
// `choice`) is UTF-8 and the download did not convert it (`charset_converted` false): the body
// is brought into UTF-8 by the encoding its XML declaration names, or read as UTF-8 when it is
// UTF-8, else as Windows-1252. Returns the charset-converted flag the clean-up then gets (true
// after that step). Under a single-byte code page the body stays and the flag is returned
// unchanged: the clean-up converts the declared KOI8-R or ISO-8859-2 texts itself.
bool ConvertBodyByDeclaration(std::string& body, bool charset_converted, EncodingChoice choice);

}  // namespace tarsel
