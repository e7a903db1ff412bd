#pragma once

// The keyboard's key tables: 126 key records per profile, one per key position. Both
// directions pivot on the default matrix, the keyboard's own factory records, which tell
// which key sits at which position.

#include <array>
#include <cstdint>
#include <mutex>
#include <span>

#include "device/transfer_engine.h"
#include "model/assignment_store.h"
#include "model/key_tables.h"

namespace q804::model {

inline constexpr int kMatrixPositions = static_cast<int>(device::kKeyRecordCount);
using KeyTable = std::array<std::uint8_t, device::kKeyTableSize>;

// The keyboard's factory key table, replaced on every arrival. Until the first successful
// read it holds built-in records. Written by the arrival thread and read by uploads, so it
// hands out copies.
class DefaultMatrix {
  public:
    DefaultMatrix();

    KeyTable Copy() const;
    void Replace(std::span<const std::uint8_t, device::kKeyTableSize> table);

    // The records a matrix holds before any keyboard was read.
    static KeyTable BuiltIn();

  private:
    mutable std::mutex mutex_;
    KeyTable table_;
};

// The record a key travels as: a modifier record with its bit, a mouse or wheel record, or a
// keyboard-page record with the key's usage byte (02 02 00 when it has none on that page).
DeviceKeyRecord KeyRecordOfCode(KeyCode code);

// The key at a position: the key its factory record stands for, 0 when it stands for none.
KeyCode PositionKey(const KeyTable& matrix, int position);

// One profile's key table from the upload snapshot (the caller may hold the snapshot lock).
KeyTable EncodeKeyTable(const UploadSnapshot& snapshot, int profile, const KeyTable& matrix);

// Fills one profile slice of an image from a key table read from the keyboard.
void DecodeKeyTable(StoreImage& image, int slice,
                    std::span<const std::uint8_t, device::kKeyTableSize> table,
                    const KeyTable& matrix);

}  // namespace q804::model
