#include "ui/skin/skin_place.h"

#include <QWidget>

#include "ui/skin/png_button.h"

namespace q804 {

QRect ToQRect(const SkinRect& rect) {
    return QRect(rect.x, rect.y, rect.w, rect.h);
}

void PlaceFromSkin(QWidget& control, const SkinLayout& skin, std::string_view key) {
    control.setGeometry(ToQRect(skin.Rect(key)));
}

void PlaceSkinnedButton(CPngButton& button, const SkinLayout& skin, std::string_view key,
                        const ImageSet& pictures) {
    SkinRect rect = skin.Rect(key);
    button.setGeometry(ToQRect(rect));
    button.SetPictures(rect.x, rect.y, pictures.normal, pictures.hover, pictures.pressed,
                       pictures.disabled, pictures.checked, true);
    if (rect.AtDefaultPosition()) {
        button.setEnabled(false);
    }
}

void MoveFromSkin(QWidget& control, const SkinLayout& skin, std::string_view key) {
    SkinRect rect = skin.Rect(key);
    control.move(rect.x, rect.y);
    control.update();
}

void PlacePicture(CPngButton& button, const SkinLayout& skin, std::string_view key,
                  std::string_view key2, const QImage& picture) {
    PlaceFromSkin(button, skin, key);
    SkinRect at = skin.PictureRect(key2);
    button.SetPictures(at.x, at.y, picture, picture, picture, picture, picture, true);
}

}  // namespace q804
