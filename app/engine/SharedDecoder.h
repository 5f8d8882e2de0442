#pragma once
// The program's one decoder process, used by LoadImageFile and every other
// caller that reads an image file.
#include <QImage>
#include <QString>
#include <cstdint>

#include "app/engine/DecoderProcess.h"

DecoderProcess& SharedDecoder();

// Replaces the program's decoder with one of these settings (the old process
// stops). Also rearms the one-time message about a decoder that cannot start.
void ConfigureSharedDecoder(const DecoderSettings& settings);

// Decodes through the program's decoder. The first time no decoder can be
// started, the user is told once, in a message box, that images cannot be
// read and why; every such load just fails.
DecodeOutcome DecodeWithSharedDecoder(const QString& path, QImage* pixels, int32_t* bpp);

// Tells the user, once, that images cannot be read and why.
void TellDecoderUnavailable(const QString& reason);
