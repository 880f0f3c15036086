#pragma once

// The character-set conversion a downloaded feed body goes through before it is cached.

#include <string>

#include "parse/charsets/encoding_choice.h"

namespace tarsel {

// Converts a whole (decompressed) body in place by the response's charset code (HTTP
// kCharset...): KOI8-R to Windows-1251, ISO-8859-2 to Windows-1250, UTF-8 to the code page of
// `choice`. A body with no usable charset is converted from UTF-8 when it is valid UTF-8.
// Returns whether a conversion ran (the column's charset-converted flag): the merge then leaves
// the declared encoding alone. Any thread.
bool ConvertDownloadedText(std::string& text, int charset_code, EncodingChoice choice);

}  // namespace tarsel
