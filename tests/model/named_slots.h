#pragma once

#include <vector>

#include "model/key_tables.h"

namespace q804::model {

// The slots of every named row of the key information table, in slot order.
inline std::vector<KeySlot> NamedSlots() {
    std::vector<KeySlot> slots;
    for (KeySlot slot = 0; slot < kKeyInfoRowCount; ++slot) {
        if (!KeyInfo(slot).empty()) {
            slots.push_back(slot);
        }
    }
    return slots;
}

}  // namespace q804::model
