#include "app/language.h"

namespace tarsel {

void ApplyLanguage(const Settings&) {}

}  // namespace tarsel
