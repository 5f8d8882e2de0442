#pragma once
// Marks a class of the bitmap module that hosts use from liborvellan.so. The
// module is built with hidden symbols; only what carries this mark is
// exported.
#define ORVELLAN_DIB_EXPORT __attribute__((visibility("default")))
