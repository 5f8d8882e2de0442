#pragma once
// The number of the ComError a call raises, 0 when it raises none.
#include <functional>

#include "platform/com/ComError.h"

namespace testsupport {

inline int ComErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ComError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace testsupport
