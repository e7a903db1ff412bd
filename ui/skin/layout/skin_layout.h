#pragma once

// One skin layout file ("Main.ini", "Composite.ini", "Profile.ini"): the dialog's
// background and shape pictures in section "SCREEN" and one rectangle per control in
// "BUTTONINFO" (and, for the main window, picture positions in "BUTTONINFO2").
//
// A missing, unreadable or empty file is not an error here: every rectangle then falls back
// to the default, so a broken skin shows a broken layout but never stops the program. Only
// the pictures decide whether a dialog can be shown (see the skinned dialog).

#include <filesystem>
#include <string>
#include <string_view>

#include "common/ini_file.h"
#include "common/result.h"
#include "ui/skin/layout/skin_rect.h"

namespace q804 {

inline constexpr std::string_view kSkinScreenSection = "SCREEN";
inline constexpr std::string_view kSkinButtonSection = "BUTTONINFO";
inline constexpr std::string_view kSkinPictureSection = "BUTTONINFO2";
inline constexpr std::string_view kSkinBackgroundKey = "Main";
inline constexpr std::string_view kSkinMaskKey = "Mask";
inline constexpr std::string_view kSkinLinkKey = "Link";

// The link value is read into a 260-character buffer.
inline constexpr std::size_t kSkinLinkMaxChars = 260;

// Layout files are a few kilobytes; a bigger file is not a layout and is not read.
inline constexpr std::uintmax_t kSkinFileMaxBytes = 1024 * 1024;

class SkinLayout {
  public:
    SkinLayout() = default;
    explicit SkinLayout(IniDocument document) : document_(std::move(document)) {}

    // Reads a layout file; a missing or unreadable file is an error the caller may log.
    static Result<SkinLayout> Read(const std::filesystem::path& file);
    // The same, but a file that cannot be read gives an empty layout (all defaults).
    static SkinLayout ReadOrEmpty(const std::filesystem::path& file);

    // Rectangle of a control in "BUTTONINFO"; the default when the key is absent or bad.
    SkinRect Rect(std::string_view key) const { return RectIn(kSkinButtonSection, key); }
    // Picture position in "BUTTONINFO2".
    SkinRect PictureRect(std::string_view key) const { return RectIn(kSkinPictureSection, key); }
    SkinRect RectIn(std::string_view section, std::string_view key) const;

    // File names of the background and shape pictures ("" when "Main" is absent); the
    // shape defaults to the background.
    std::string BackgroundPicture() const;
    std::string MaskPicture() const;
    // The main window's link address, or the fallback when absent.
    std::string Link(std::string_view fallback) const;

    const IniDocument& document() const { return document_; }

  private:
    IniDocument document_;
};

// A picture named in a layout file must lie in the skin folder itself: a plain file name
// without folder parts, so that a file that names "../../x" cannot make the program read
// outside its skin.
bool IsPlainPictureName(std::string_view name);

}  // namespace q804
