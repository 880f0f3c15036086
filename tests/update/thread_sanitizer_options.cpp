// ThreadSanitizer reads these when the test program starts (in other builds nothing calls
// them). The loopback fixture server runs on Debian's cpp-httplib, a shared library built
// without ThreadSanitizer: its thread pool hands requests over through code the sanitizer
// cannot see, so its own memory looks raced. Races in the update engine are still reported.
extern "C" const char* __tsan_default_suppressions() {
  return "race:libcpp-httplib.so\n";
}
