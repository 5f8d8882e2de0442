#pragma once
// Setters act only on a real change: SetIfChanged stores value in member and
// says whether it differed, so the caller repaints and notifies only then.
#include <utility>

template <typename T, typename U>
[[nodiscard]] bool SetIfChanged(T& member, U&& value) {
  if (member == value) return false;
  member = std::forward<U>(value);
  return true;
}
