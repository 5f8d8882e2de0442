#include "app/decoder/DecoderLimits.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "app/imaging/DecoderProtocol.h"

namespace {

// The process's address space now (the first figure of /proc/self/statm).
uint64_t AddressSpaceInUse() {
  std::FILE* file = std::fopen("/proc/self/statm", "r");
  if (!file) return 0;
  unsigned long long pages = 0;
  const bool read = std::fscanf(file, "%llu", &pages) == 1;
  std::fclose(file);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  return read && pageSize > 0 ? pages * uint64_t(pageSize) : 0;
}

}  // namespace

uint64_t DecoderAddressSpaceLimit(uint64_t physicalMemoryBytes) {
  constexpr uint64_t kProcessItself = uint64_t{1} << 30;  // code, libraries, the library's own bitmap
  const uint64_t wanted = 2 * decoderproto::kMaxPixels * 4 + kProcessItself;
  return std::min(wanted, physicalMemoryBytes / 2);
}

uint64_t RequestAddressSpaceLimit(bool shrinking, uint64_t inUseBytes, uint64_t processLimit) {
  if (!shrinking) return processLimit;
  return std::min(processLimit, inUseBytes + kShrinkingDecodeBytes);
}

bool FitsShrinkingDecode(uint64_t width, uint64_t height) { return width * height <= kShrinkingWholeImagePixels; }

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

bool ApplyRequestLimit(bool shrinking) {
  rlimit as{};
  if (::getrlimit(RLIMIT_AS, &as) != 0) return false;
  // The hard limit stays as it was set at start; only the soft one moves.
  as.rlim_cur = RequestAddressSpaceLimit(shrinking, AddressSpaceInUse(), as.rlim_max);
  return ::setrlimit(RLIMIT_AS, &as) == 0;
}
