// The XML reader on any bytes: a tree or an XMLParser::Exception, nothing else.

#include "fuzz_support.h"
#include "parse/xml/xml_document.h"
#include "parse/xml/xml_exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarsel::XMLParser::Document document;
  try {
    const tarsel::XMLParser::Node& root = document.ParseBuffer(tarsel::fuzz::Input(data, size));
    (void)root.IsNull();
  } catch (const tarsel::XMLParser::Exception&) {
  }
  return 0;
}
