// The column and memories stores on any bytes. What was read, written and read again must
// write the same bytes: a store this program wrote reads back whole.

#include "fuzz_support.h"
#include "store/store_files.h"

namespace {

using Read = std::optional<int32_t> (*)(std::string_view, tarsel::ColumnTree&,
                                        const tarsel::StoreOptions&, tarsel::StoreReadReport*);
using Write = std::string (*)(tarsel::ColumnTree&, const tarsel::StoreOptions&);

void RoundTrip(std::string_view bytes, Read read, Write write) {
  tarsel::StoreOptions options;
  options.now = 1000000000;  // records of old stores get "now": keep it fixed
  options.sync = false;
  tarsel::ColumnTree first;
  read(bytes, first, options, nullptr);
  const std::string written = write(first, options);
  tarsel::ColumnTree second;
  tarsel::StoreReadReport report;
  read(written, second, options, &report);
  if (report.damaged) tarsel::fuzz::Fail("a written store reads as damaged");
  if (write(second, options) != written) tarsel::fuzz::Fail("read, write, read is not stable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = tarsel::fuzz::Input(data, size);
  RoundTrip(bytes, tarsel::ReadColumnStore, tarsel::WriteColumnStore);
  RoundTrip(bytes, tarsel::ReadMemoriesStore, tarsel::WriteMemoriesStore);
  return 0;
}
