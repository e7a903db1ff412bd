#include "ui/skin/layout/skin_layout.h"

#include <string>

#include "common/file_io.h"

namespace q804 {

Result<SkinLayout> SkinLayout::Read(const std::filesystem::path& file) {
    auto bytes = ReadRegularFile(file, kSkinFileMaxBytes);
    if (!bytes) {
        return bytes.error();
    }
    return SkinLayout(IniDocument(std::string(bytes.value().begin(), bytes.value().end())));
}

SkinLayout SkinLayout::ReadOrEmpty(const std::filesystem::path& file) {
    auto layout = Read(file);
    return layout ? std::move(layout).value() : SkinLayout();
}

SkinRect SkinLayout::RectIn(std::string_view section, std::string_view key) const {
    return ParseSkinRect(document_.Get(section, key, kDefaultSkinRectText));
}

std::string SkinLayout::BackgroundPicture() const {
    return document_.Get(kSkinScreenSection, kSkinBackgroundKey, "");
}

std::string SkinLayout::MaskPicture() const {
    return document_.Get(kSkinScreenSection, kSkinMaskKey, BackgroundPicture());
}

std::string SkinLayout::Link(std::string_view fallback) const {
    return document_.Get(kSkinScreenSection, kSkinLinkKey, fallback, kSkinLinkMaxChars);
}

bool IsPlainPictureName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (char c : name) {
        if (c == '/' || c == '\\' || c == '\0' || c == ':') {
            return false;
        }
    }
    return true;
}

}  // namespace q804
