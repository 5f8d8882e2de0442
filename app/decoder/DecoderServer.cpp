#include "app/decoder/DecoderServer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "app/decoder/DecoderLimits.h"
#include "app/imaging/DecoderProtocol.h"
#include "app/decoder/ImageDecoder.h"
#include "app/imaging/CodecFile.h"
#include "app/imaging/PhotoDetails.h"

namespace {

namespace proto = decoderproto;

bool ReadExactly(int fd, void* data, size_t size) {
  auto* p = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = ::read(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteExactly(int fd, const void* data, size_t size) {
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// The shared memory file the pixels go to. It only ever grows (the program
// seals it against shrinking); the mapping follows its size.
class SharedOutput {
 public:
  explicit SharedOutput(int fd) : fd_(fd) {}
  ~SharedOutput() {
    if (map_) ::munmap(map_, mapped_);
    if (fd_ >= 0) ::close(fd_);
  }
  SharedOutput(const SharedOutput&) = delete;
  SharedOutput& operator=(const SharedOutput&) = delete;

  uint32_t* reserve(size_t bytes) {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return nullptr;
    size_t size = static_cast<size_t>(st.st_size);
    if (size < bytes) {
      if (::ftruncate(fd_, static_cast<off_t>(bytes)) != 0) return nullptr;
      size = bytes;
    }
    if (mapped_ < bytes) {
      if (map_) ::munmap(map_, mapped_);
      map_ = nullptr;
      mapped_ = 0;
      void* m = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
      if (m == MAP_FAILED) return nullptr;
      map_ = m;
      mapped_ = size;
    }
    return static_cast<uint32_t*>(map_);
  }

 private:
  int fd_ = -1;
  void* map_ = nullptr;
  size_t mapped_ = 0;
};

const char* PixelsPathArgument(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--pixels") == 0) return argv[i + 1];
  return nullptr;
}

}  // namespace

int RunDecoderServer(int argc, char** argv) {
  const char* pixelsPath = PixelsPathArgument(argc, argv);
  if (!pixelsPath) return 2;
  if (!ApplyDecoderLimits()) return 3;
  const int fd = ::open(pixelsPath, O_RDWR | O_CLOEXEC);
  if (fd < 0) return 4;
  SharedOutput output(fd);
  EnableInputCodecsOnly();

  proto::Hello hello;
  hello.pid = static_cast<uint32_t>(::getpid());
  if (!WriteExactly(STDOUT_FILENO, &hello, sizeof hello)) return 5;

  std::vector<char> path;
  for (;;) {
    proto::Request request;
    if (!ReadExactly(STDIN_FILENO, &request, sizeof request)) return 0;  // the program closed the pipe
    if (request.magic != proto::kRequestMagic || request.pathBytes == 0 || request.pathBytes > proto::kMaxPathBytes)
      return 6;
    path.assign(request.pathBytes + 1, '\0');
    if (!ReadExactly(STDIN_FILENO, path.data(), request.pathBytes)) return 6;
    if (std::memchr(path.data(), '\0', request.pathBytes)) return 6;

    // A request for a size hint is held to less memory than a natural-size one.
    if (!ApplyRequestLimit(request.hint.any())) return 3;
    // Room for the details after the pixels only when they are asked for.
    const bool wantDetails = (request.flags & proto::kWantDetails) != 0;
    const size_t detailsRoom = wantDetails ? proto::kMaxDetailsBytes : 0;
    const DecodeInfo info = DecodeFileToPixels(path.data(), [&output, detailsRoom](uint32_t w, uint32_t h) {
      return output.reserve(size_t{w} * h * 4 + detailsRoom);
    }, request.hint);
    proto::Reply reply;
    reply.id = request.id;
    reply.status = static_cast<int32_t>(info.status);
    if (info.status == proto::DecodeStatus::Decoded) {
      reply.width = info.width;
      reply.height = info.height;
      reply.bpp = info.bpp;
      reply.naturalWidth = info.naturalWidth;
      reply.naturalHeight = info.naturalHeight;
      reply.pixelBytes = uint64_t{info.width} * info.height * 4;
      if (wantDetails) {
        const std::string details = PackPhotoDetails(ReadPhotoDetails(path.data()));
        auto* base = reinterpret_cast<char*>(output.reserve(reply.pixelBytes + detailsRoom));
        if (base && details.size() <= detailsRoom) {
          std::memcpy(base + reply.pixelBytes, details.data(), details.size());
          reply.detailsBytes = static_cast<uint32_t>(details.size());
        }
      }
    }
    if (!WriteExactly(STDOUT_FILENO, &reply, sizeof reply)) return 0;
  }
}
