#include "app/engine/SharedPixelBuffer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

SharedPixelBuffer::~SharedPixelBuffer() { release(); }

void SharedPixelBuffer::release() {
  unmap();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool SharedPixelBuffer::create(QString* whyNot) {
  release();
  fd_ = ::memfd_create("quillmora-pixels", MFD_CLOEXEC | MFD_ALLOW_SEALING);
  if (fd_ < 0 || ::fcntl(fd_, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_SEAL) != 0) {
    if (whyNot) *whyNot = QString::fromLocal8Bit(std::strerror(errno));
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return false;
  }
  return true;
}

QString SharedPixelBuffer::procPath() const {
  return QStringLiteral("/proc/%1/fd/%2").arg(::getpid()).arg(fd_);
}

uint64_t SharedPixelBuffer::size() const {
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0 || st.st_size < 0) return 0;
  return static_cast<uint64_t>(st.st_size);
}

const uchar* SharedPixelBuffer::view(uint64_t bytes) {
  const uint64_t current = size();
  if (bytes == 0 || bytes > current) return nullptr;
  if (mapped_ < bytes) {
    unmap();
    void* m = ::mmap(nullptr, current, PROT_READ, MAP_SHARED, fd_, 0);
    if (m == MAP_FAILED) return nullptr;
    map_ = m;
    mapped_ = current;
  }
  return static_cast<const uchar*>(map_);
}

void SharedPixelBuffer::unmap() {
  if (map_) ::munmap(map_, mapped_);
  map_ = nullptr;
  mapped_ = 0;
}
