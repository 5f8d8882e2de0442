#pragma once
// The owners of FreeImage's handles: a bitmap, unloaded when it goes out of
// scope, and a memory stream, closed.
#include <FreeImage.h>

#include <cstddef>
#include <cstdint>
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

class FiMemory {
 public:
  // An empty stream to write to, or one reading size bytes at data (which
  // must outlive it).
  FiMemory() : memory_(FreeImage_OpenMemory()) {}
  FiMemory(const uint8_t* data, size_t size)
      : memory_(FreeImage_OpenMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) {}
  ~FiMemory() {
    if (memory_) FreeImage_CloseMemory(memory_);
  }
  FiMemory(const FiMemory&) = delete;
  FiMemory& operator=(const FiMemory&) = delete;
  FIMEMORY* get() const { return memory_; }

 private:
  FIMEMORY* memory_;
};
