#pragma once
// The one owner of a FreeImage bitmap: unloads it when it goes out of scope.
#include <FreeImage.h>

#include <utility>

class FiBitmap {
 public:
  FiBitmap() = default;
  explicit FiBitmap(FIBITMAP* bitmap) : bitmap_(bitmap) {}
  FiBitmap(const FiBitmap&) = delete;
  FiBitmap& operator=(const FiBitmap&) = delete;
  FiBitmap(FiBitmap&& other) noexcept : bitmap_(other.release()) {}
  FiBitmap& operator=(FiBitmap&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~FiBitmap() { reset(); }

  FIBITMAP* get() const { return bitmap_; }
  explicit operator bool() const { return bitmap_ != nullptr; }
  FIBITMAP* release() { return std::exchange(bitmap_, nullptr); }
  void reset(FIBITMAP* bitmap = nullptr) {
    FIBITMAP* old = std::exchange(bitmap_, bitmap);
    if (old && old != bitmap) FreeImage_Unload(old);
  }

 private:
  FIBITMAP* bitmap_ = nullptr;
};
