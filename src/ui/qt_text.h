#pragma once

// Where the program's text meets Qt. The program keeps text as bytes in its code page (UTF-8 on
// a UTF-8 desktop under the Automatic encoding, else Windows-1250, 1251 or 1252 by the encoding
// setting); Qt wants UTF-16. Every widget text goes through these two functions (and feed text
// is then shown with Qt::PlainText, never through rich-text detection). Malformed UTF-8 shows as
// U+FFFD. Any thread: they read the code page the settings' owner publishes.

#include <QString>
#include <string>
#include <string_view>

#include "parse/charsets/encoding_choice.h"

namespace tarsel::ui {

// The encoding choice of the live settings, published by their owner (SettingsOwner) whenever
// they change; until then Automatic. Any thread.
void PublishProgramEncoding(EncodingChoice encoding);
EncodingChoice ProgramEncoding();
// The program's code page of that choice: what ToQt and FromQt convert from and to.
int ProgramCodePage();

// Program text (the program's code page) for a widget.
QString ToQt(std::string_view program_text);

// Text typed in a widget back into the program's code page.
std::string FromQt(const QString& text);

// The program's text of string id `id`, for a widget.
QString Text(int id);

}  // namespace tarsel::ui
