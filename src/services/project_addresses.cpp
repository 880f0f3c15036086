#include "services/project_addresses.h"

// The build passes these in; a build that sets none gets empty addresses.
#ifndef TARSEL_HOME_PAGE
#define TARSEL_HOME_PAGE ""
#endif
#ifndef TARSEL_SUPPORT_MAIL
#define TARSEL_SUPPORT_MAIL ""
#endif
#ifndef TARSEL_GENERAL_MAIL
#define TARSEL_GENERAL_MAIL ""
#endif
#ifndef TARSEL_VERSION_FILE_URL
#define TARSEL_VERSION_FILE_URL ""
#endif
#ifndef TARSEL_DIRECTORY_URL
#define TARSEL_DIRECTORY_URL ""
#endif

namespace tarsel {

const ProjectAddresses& BuiltInAddresses() {
  static const ProjectAddresses addresses{TARSEL_HOME_PAGE, TARSEL_SUPPORT_MAIL,
                                          TARSEL_GENERAL_MAIL, TARSEL_VERSION_FILE_URL,
                                          TARSEL_DIRECTORY_URL};
  return addresses;
}

}  // namespace tarsel
