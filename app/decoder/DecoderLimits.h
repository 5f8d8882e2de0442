#pragma once
// Limits the decoder process puts on itself before it reads any file.
#include <cstdint>

// The address-space limit: room for the largest image allowed, as 32-bit
// pixels twice, plus the process itself; never above half the machine's memory.
uint64_t DecoderAddressSpaceLimit(uint64_t physicalMemoryBytes);

// Applies the address-space limit, switches off core dumps and ties the
// process's life to its parent's. False when a limit could not be set.
bool ApplyDecoderLimits();
