#include "app/engine/SharedDecoder.h"

#include <QCoreApplication>
#include <memory>

namespace {

std::unique_ptr<DecoderProcess>& Instance() {
  static std::unique_ptr<DecoderProcess> decoder;
  return decoder;
}

// The decoder process ends with the application object, not at some point
// of static destruction.
void StopSharedDecoderAtExit() {
  static bool registered = false;
  if (registered || !QCoreApplication::instance()) return;
  registered = true;
  qAddPostRoutine([] { Instance().reset(); });
}

}  // namespace

DecoderProcess& SharedDecoder() {
  auto& decoder = Instance();
  if (!decoder) decoder = std::make_unique<DecoderProcess>();
  StopSharedDecoderAtExit();
  return *decoder;
}

void ConfigureSharedDecoder(const DecoderSettings& settings) {
  Instance() = std::make_unique<DecoderProcess>(settings);
  StopSharedDecoderAtExit();
}
