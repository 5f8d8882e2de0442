#include "app/decoder/DecoderLimits.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

#include "app/imaging/DecoderProtocol.h"

uint64_t DecoderAddressSpaceLimit(uint64_t physicalMemoryBytes) {
  constexpr uint64_t kProcessItself = uint64_t{1} << 30;  // code, libraries, the library's own bitmap
  const uint64_t wanted = 2 * decoderproto::kMaxPixels * 4 + kProcessItself;
  return std::min(wanted, physicalMemoryBytes / 2);
}

bool ApplyDecoderLimits() {
  // A decoder whose program has gone has nothing left to do.
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);

  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return false;
  const rlimit as{DecoderAddressSpaceLimit(uint64_t(pages) * uint64_t(pageSize)),
                  DecoderAddressSpaceLimit(uint64_t(pages) * uint64_t(pageSize))};
  const rlimit noCore{0, 0};
  return ::setrlimit(RLIMIT_AS, &as) == 0 && ::setrlimit(RLIMIT_CORE, &noCore) == 0;
}
