#pragma once

// Apply: the working store's key tables and macros written to the keyboard.

#include "device/transfer_engine.h"
#include "model/assignment_store.h"
#include "model/device_state.h"

namespace q804::model {

// Encodes the snapshot's macro area and the key table of the current profile (or of all
// three) and writes them between the begin and end of one access. Returns 1 when every
// write succeeded; otherwise the device result of the first failing step, or 0 when nothing
// was sent (macros too long for the keyboard, no current profile). Later writes are not
// attempted after a failed one, so key tables never point into a half-written macro area.
int UploadKeyTables(const UploadSnapshot& snapshot, device::TransferEngine& engine,
                    DeviceState& state, bool allProfiles, const ShowMessage& show);

// Takes the upload snapshot (under both locks, working store first) and uploads it. The
// working store's lock is held only while the snapshot is taken, so editing need not wait
// for the keyboard.
int ApplyToKeyboard(AssignmentStore& store, device::TransferEngine& engine, DeviceState& state,
                    bool allProfiles, const ShowMessage& show);

}  // namespace q804::model
