#pragma once

// Steps shared by the RSS and Atom readers. Texts are bytes as the document carried them.

#include <cstddef>
#include <string>
#include <vector>

#include "parse/xml/xml_node.h"
#include "store/record.h"

namespace tarsel::feeds {

// The user's choices the readers follow, given by the caller for each document.
struct ReadSettings {
  int summary_lines = 0;  // the row count when rows are limited, else 0
  int code_page = 1252;   // the program's code page, for entity decoding
  // When set, a summary that would be made from the record's own description is left empty and
  // the record's position in the channel's list is added here, for the clean-up to make while it
  // cleans that description: each description is then parsed once. An untitled record still gets
  // its summary at once, since its title is taken from it.
  std::vector<size_t>* summaries_left = nullptr;
};

// Sets the summary of `record`, which is to go at `position` in the channel's list, from its
// description, or leaves it for the clean-up (see ReadSettings).
void SummarizeDescription(Record& record, size_t position, const ReadSettings& read);

// A title holding markup ('<') becomes its plain text.
void RemoveTitleMarkup(std::string& title, int code_page);

// A link element's "href", or its text when the href is empty.
std::string LinkOf(const XMLParser::Node& link);

// An untitled record takes the start of its summary; then the title's blanks are collapsed.
void FinishTitle(Record& record);

// The element's text when it exists; `field` is left alone otherwise.
void TakeTextIfPresent(const XMLParser::Node& element, std::string& field);

}  // namespace tarsel::feeds
