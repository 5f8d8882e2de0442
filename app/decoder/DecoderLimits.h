#pragma once
// Limits the decoder process puts on itself before it reads any file, and on
// each request.
#include <cstdint>

// What one decode for a size hint may add to the decoder's address space.
// Large PNG and TIFF files are read shrunk, a few rows at a time; this is
// room for a whole-image decode of what cannot be (the codec's bitmap, its
// 32-bit copy and the shrunk result) of up to kShrinkingWholeImagePixels.
constexpr uint64_t kShrinkingDecodeBytes = uint64_t{768} << 20;
// The most pixels an image decoded whole for a size hint may have: at 12
// bytes a pixel (16-bit RGBA as decoded, then 32-bit) it fits the room above.
constexpr uint64_t kShrinkingWholeImagePixels = uint64_t{64} << 20;

// The address-space limit: room for the largest image allowed, as 32-bit
// pixels twice, plus the process itself; never above half the machine's memory.
// A natural-size decode (the full-size window) has all of it.
uint64_t DecoderAddressSpaceLimit(uint64_t physicalMemoryBytes);

// The limit for one request: a decode for a size hint may grow the process
// by kShrinkingDecodeBytes over what it uses already, a natural-size one up
// to the process's limit.
uint64_t RequestAddressSpaceLimit(bool shrinking, uint64_t inUseBytes, uint64_t processLimit);

// Whether an image of width x height may be decoded whole for a size hint.
bool FitsShrinkingDecode(uint64_t width, uint64_t height);

// Applies the address-space limit, switches off core dumps and ties the
// process's life to its parent's. False when a limit could not be set.
bool ApplyDecoderLimits();

// Sets the address-space limit for the next request (lowered for a size
// hint, the process's own without one). False when it could not be set.
bool ApplyRequestLimit(bool shrinking);
