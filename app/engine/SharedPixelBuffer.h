#pragma once
// The shared memory file a decoder process writes decoded pixels into: an
// anonymous memory file of the program, sealed so that it can grow but never
// shrink (a mapping of it then stays valid whatever the decoder does). The
// decoder opens it through its /proc path.
#include <QString>
#include <cstddef>
#include <cstdint>

class SharedPixelBuffer {
 public:
  SharedPixelBuffer() = default;
  ~SharedPixelBuffer();
  SharedPixelBuffer(const SharedPixelBuffer&) = delete;
  SharedPixelBuffer& operator=(const SharedPixelBuffer&) = delete;

  // Creates a new, empty file (dropping any previous one). False with a
  // reason when the system refuses.
  bool create(QString* whyNot);
  bool isValid() const { return fd_ >= 0; }
  // Drops the file and its memory (a decoder using it must have stopped).
  void release();

  // /proc/<program pid>/fd/<n>: the path the decoder opens.
  QString procPath() const;

  // The file's current size in bytes (0 when there is none).
  uint64_t size() const;

  // The first bytes of the file, readable; null when the file is smaller.
  const uchar* view(uint64_t bytes);

 private:
  void unmap();

  int fd_ = -1;
  void* map_ = nullptr;
  size_t mapped_ = 0;
};
