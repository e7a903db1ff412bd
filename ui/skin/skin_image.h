#pragma once

// Skin pictures: loading with clear refusals, and the full-window state pictures from which
// image buttons cut their faces.

#include <QImage>
#include <QSize>
#include <filesystem>
#include <string_view>

#include "common/result.h"
#include "ui/skin/layout/skin_keys.h"

namespace q804 {

// No skin picture is this large; a bigger one is refused before it is decoded, so a broken
// or hostile file cannot make the program allocate gigabytes.
inline constexpr int kMaxSkinPictureSide = 8192;
inline constexpr std::uintmax_t kMaxSkinPictureBytes = 64 * 1024 * 1024;

// The state pictures reach this far beyond the client area on every side.
inline constexpr int kStatePictureMargin = 100;

// Loads a picture in any format Qt reads (BMP, JPEG, GIF, PNG ...), recognised by its
// content. Missing files, folders, empty files, files that are not pictures and pictures
// with no pixels or above kMaxSkinPictureSide are errors.
Result<QImage> LoadSkinPicture(const std::filesystem::path& file);

// One state picture: a transparent canvas of the client size plus kStatePictureMargin on
// each side, with the picture drawn at its natural size at the top-left. A picture that
// cannot be loaded leaves the state blank (a transparent canvas): the button then shows
// the dialog's background in that state.
QImage MakeStatePicture(const std::filesystem::path& file, QSize clientSize);

// The pictures of a group of image buttons, one per state. Pictures are implicitly shared,
// so giving them to a hundred buttons copies no pixels.
struct ImageSet {
    QImage normal;
    QImage hover;
    QImage pressed;
    QImage disabled;
    QImage checked;
};

// Loads a set from the skin folder. Each file is read once even when it serves several
// states; the checked look is the disabled picture (the main window's convention); callers
// with another convention set `checked` afterwards.
ImageSet LoadImageSet(const std::filesystem::path& skinDir, const ImageSetNames& names,
                      QSize clientSize);

}  // namespace q804
