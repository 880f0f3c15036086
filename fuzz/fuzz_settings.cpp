// The settings file: a crash or another program may have left anything in it.

#include "fuzz_support.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarsel::Settings settings;
  if (tarsel::ParseSettingsXml(reinterpret_cast<const char*>(data), size, settings)) {
    // What was read is written back as the program would save it.
    (void)tarsel::SettingsFileText(settings);
  }
  return 0;
}
