#include "cli/exit_without_teardown.h"

#include <cstdio>
#include <cstdlib>

#include "cli/console.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TARSEL_CHECKED_BUILD 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer) || __has_feature(leak_sanitizer)
#define TARSEL_CHECKED_BUILD 1
#endif
#endif

namespace tarsel::cli {

void ExitWithoutTeardown(int status) {
#ifndef TARSEL_CHECKED_BUILD
  const int final_status = FinishOutput(status);
  std::fflush(nullptr);
  std::_Exit(final_status);
#else
  (void)status;
#endif
}

}  // namespace tarsel::cli
