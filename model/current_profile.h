#pragma once

// The keyboard's current on-board profile, cached in the application's state: -1 means it
// must be read from the keyboard again.

#include <atomic>

#include "device/transfer_engine.h"

namespace q804::model {

// The cached profile, or byte 10 of the keyboard's settings when the cache is -1 (cached on
// success); -1 when the keyboard cannot be read.
int CurrentProfile(device::TransferEngine& engine, std::atomic<int>& cache);

// Makes profile p (0..2) the keyboard's current one and caches it; a failed write leaves the
// cache at -1 so the next read asks the keyboard. A negative or too large p does nothing.
// Returns the device result of the last step, or 0 when nothing was done.
int SetCurrentProfile(device::TransferEngine& engine, std::atomic<int>& cache, int profile);

}  // namespace q804::model
