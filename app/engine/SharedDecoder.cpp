#include "app/engine/SharedDecoder.h"

#include <QCoreApplication>
#include <memory>

#include "platform/shell/MessageBox.h"

namespace {

std::unique_ptr<DecoderProcess>& Instance() {
  static std::unique_ptr<DecoderProcess> decoder;
  return decoder;
}

bool g_toldUnavailable = false;

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
  g_toldUnavailable = false;
}

DecodeOutcome DecodeWithSharedDecoder(const QString& path, QImage* pixels, int32_t* bpp) {
  DecoderProcess& decoder = SharedDecoder();
  const DecodeOutcome outcome = decoder.decode(path, pixels, bpp);
  if (outcome == DecodeOutcome::Unavailable) TellDecoderUnavailable(decoder.unavailableReason());
  return outcome;
}

void TellDecoderUnavailable(const QString& reason) {
  if (g_toldUnavailable) return;
  g_toldUnavailable = true;
  ShowMessageBox(QStringLiteral("Images cannot be read: %1").arg(reason), QStringLiteral("Quillmora"),
                 MsgIcon::Critical);
}
