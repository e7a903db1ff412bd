#pragma once

// The main window's custom messages: a two-letter message number and a code of three or
// four letters in the first parameter. Other instances, the device threads and the window
// itself reach the window only through these.

#include <cstdint>

namespace q804::shell {

// Message numbers.
inline constexpr std::uint32_t kMsgOpenOrVersion = 0x5350;   // "SP"
inline constexpr std::uint32_t kMsgQuit = 0x4D4B;            // "MK"
inline constexpr std::uint32_t kMsgInitDone = 0x4D4E;        // "MN"
inline constexpr std::uint32_t kMsgProfileRefresh = 0x5452;  // "TR"
inline constexpr std::uint32_t kMsgCloseEditors = 0x4753;    // "GS"
inline constexpr std::uint32_t kMsgGBankRedraw = 0x5045;     // "PE"
inline constexpr std::uint32_t kMsgRelabel = 0x5041;         // "PA"

// Codes carried in the first parameter.
inline constexpr std::uint32_t kCodeOpen = 0x4F50454E;     // "OPEN"
inline constexpr std::uint32_t kCodeVersion = 0x564552;    // "VER"
inline constexpr std::uint32_t kCodeKill = 0x4C4C494B;     // "LLIK": the bytes K, I, L, L
inline constexpr std::uint32_t kCodeInit = 0x494E4954;     // "INIT"
inline constexpr std::uint32_t kCodeProfile = 0x50524F46;  // "PROF"
inline constexpr std::uint32_t kCodeLed = 0x004C4544;      // "LED": the bytes D, E, L
inline constexpr std::uint32_t kCodeLang = 0x4C414E47;     // "LANG"

// The running instance's main window is recognised by this tag ("MAIN").
inline constexpr std::uint32_t kWindowTag = 0x4D41494E;

// Icons of the notification area.
inline constexpr int kIconNoKeyboard = 128;
inline constexpr int kIconKeyboard = 141;
inline constexpr int kIconBusy = 142;

}  // namespace q804::shell
