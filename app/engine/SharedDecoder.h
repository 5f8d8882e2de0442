#pragma once
// The program's one decoder process, used by LoadImageFile and every other
// caller that reads an image file outside a batch run.
#include "app/engine/DecoderProcess.h"

DecoderProcess& SharedDecoder();

// Replaces the program's decoder with one of these settings (the old process stops).
void ConfigureSharedDecoder(const DecoderSettings& settings);
