#pragma once

// Bringing a feed body in any character set into UTF-8, for a program whose code page is UTF-8.
// The conversions use iconv, so every character set the C library knows is read (KOI8-R,
// ISO-8859-x, Windows-125x, Shift_JIS, EUC-JP, GB18030, Big5, EUC-KR, UTF-16...). Pure
// functions; any thread.

#include <string>
#include <string_view>

namespace tarsel {

// The charset label of a "content-type" value ("text/xml; charset=\"KOI8-R\"" gives "koi8-r"),
// lower case without quotes; empty when there is none.
std::string CharsetOfContentType(std::string_view content_type);

// The encoding an XML declaration at the start of `body` names ("<?xml version="1.0"
// encoding="windows-1251"?>" gives "windows-1251"), lower case; empty when there is none.
std::string DeclaredXmlEncoding(std::string_view body);

// Converts `text` from the character set `label` (a web label such as "shift_jis", "gb2312",
// "iso-8859-1"; read as browsers read them) to UTF-8. A byte sequence the character set does
// not define becomes U+FFFD. False, leaving `text` alone, when the character set is unknown.
bool ConvertCharsetToUtf8(std::string& text, std::string_view label);

// Brings a body labelled `label` (empty: no label) into UTF-8 and says whether it is now UTF-8:
// - a body in UTF-16 or UTF-32 (by label or byte order mark), or in a 7-bit character set
//   (ISO-2022-*, UTF-7, HZ), is converted by it;
// - a body that is valid UTF-8 stays as it is (malformed parts repaired), whatever the label
//   says: a server that names one character set and sends UTF-8 is common, and real text in
//   another character set is practically never valid UTF-8;
// - otherwise a label that names a known character set converts the body;
// - otherwise (no label, an unknown one, or "utf-8" over bytes that are not UTF-8) the body is
//   read as Windows-1252 when `guess_windows_1252`, and left alone (false) when not.
bool BodyToUtf8(std::string& body, std::string_view label, bool guess_windows_1252);

}  // namespace tarsel
