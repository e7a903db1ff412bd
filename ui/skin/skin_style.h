#pragma once

// The one look of every skinned dialog: a dark graphite ground, raised key caps and a
// single blue accent for hover, checked and focus. The skin generator paints the pictures
// with these colours and the toolkit styles the standard controls (lists, fields, drop-down
// lists, menus) with the same ones, so that pictures and live controls never disagree.
// Colours are 0xRRGGBB.

#include <cstdint>

class QString;

namespace q804::style {

inline constexpr std::uint32_t kWindowBase = 0x14161B;
inline constexpr std::uint32_t kWindowTop = 0x1C1F26;
inline constexpr std::uint32_t kCard = 0x1D2027;
inline constexpr std::uint32_t kCardBorder = 0x2C3039;
inline constexpr std::uint32_t kCardInner = 0x181A20;
inline constexpr std::uint32_t kCapTop = 0x363B46;
inline constexpr std::uint32_t kCapBottom = 0x2A2E37;
inline constexpr std::uint32_t kCapBorder = 0x464C59;
inline constexpr std::uint32_t kCapShadow = 0x0C0D10;
inline constexpr std::uint32_t kText = 0xECEEF3;
inline constexpr std::uint32_t kTextDim = 0x98A0AD;
inline constexpr std::uint32_t kTextDisabled = 0x5A606C;
inline constexpr std::uint32_t kStaticText = 0xE4E4E4;
inline constexpr std::uint32_t kAccent = 0x1FB5FF;
inline constexpr std::uint32_t kAccentDark = 0x0B5E8E;
inline constexpr std::uint32_t kAccentText = 0xFFFFFF;
inline constexpr std::uint32_t kDanger = 0xE5484D;
inline constexpr std::uint32_t kFieldBase = 0x111317;
inline constexpr std::uint32_t kFieldBorder = 0x3A3F4B;
inline constexpr std::uint32_t kSelection = 0x164A6B;
inline constexpr std::uint32_t kGrid = 0x2A2E37;

// Style sheet for the standard controls inside a skinned dialog.
QString DarkControlStyleSheet();

}  // namespace q804::style
