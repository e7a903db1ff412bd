#pragma once

// What the program knows about the attached keyboard between transfers: its factory key
// table, its current profile and the size of its macro area. One per application context.

#include <atomic>
#include <functional>
#include <string_view>

#include "device/transfer_engine.h"
#include "model/key_table_codec.h"

namespace q804::model {

struct DeviceState {
    DefaultMatrix defaultMatrix;
    std::atomic<int> currentProfile{-1};     // 0..2, or -1: ask the keyboard
    std::atomic<unsigned> macroCapacity{0};  // bytes; 0 until the settings were read
};

// Shows a message given by its language key (a message box in the window, a line on stderr
// in the command-line tool). A text used as a format is filled with the argument; other
// texts get an empty one.
using ShowMessage = std::function<void(std::string_view languageKey, std::string_view argument)>;

struct ArrivalReadResult {
    int defaultMatrix = 0;  // device result of reading the factory key table
    int settings = 0;       // device result of reading the settings
};

// What every arrival of a keyboard reads first: the factory key table into the default
// matrix (kept as it was when the read fails) and the macro capacity from the settings.
ArrivalReadResult ReadKeyboardBasics(device::TransferEngine& engine, DeviceState& state);

}  // namespace q804::model
