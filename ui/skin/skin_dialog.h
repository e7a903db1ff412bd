#pragma once

// CBaseDialog: the skinned dialog every window of the configurator is built on. Its
// layout file names a background picture, drawn as the whole window, and a shape picture
// whose non-white pixels are the window's shape; the window has no frame of its own and
// moves when dragged by its surface.

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/result.h"
#include "ui/skin/layout/skin_layout.h"
#include "ui/skin/skin_image.h"

namespace q804 {

class CPngButton;

class CBaseDialog : public QDialog {
    Q_OBJECT

  public:
    // skinFile is a layout file name in skinDir ("Main.ini", ...).
    CBaseDialog(std::filesystem::path skinDir, std::string skinFile, QWidget* parent = nullptr,
                Qt::WindowFlags flags = Qt::Dialog);

    // Reads the layout file, loads the background and shape pictures, sizes the window to
    // the background and shapes it. A background or shape picture that cannot be read is
    // an error, on which the program ends quietly with exit code 0; the dialog itself never
    // ends the program, so the caller decides.
    Status InitSkin();
    // Releases the two pictures (done when the dialog closes).
    void ReleaseSkin();

    const SkinLayout& Skin() const { return skin_; }
    const std::filesystem::path& SkinDir() const { return skinDir_; }
    const QImage& Background() const { return background_; }
    QSize ClientSize() const { return background_.isNull() ? size() : background_.size(); }

    // A state-picture set from the skin folder, sized for this dialog.
    ImageSet LoadImageSet(const ImageSetNames& names) const;
    // One picture turned into a state picture for this dialog (blank when unreadable).
    QImage LoadStatePicture(std::string_view name) const;

    // The placement operations on this dialog's layout.
    void PlaceFromSkin(QWidget& control, std::string_view key) const;
    void PlaceSkinnedButton(CPngButton& button, std::string_view key,
                            const ImageSet& pictures) const;
    void MoveFromSkin(QWidget& control, std::string_view key) const;
    void PlacePicture(CPngButton& button, std::string_view key, std::string_view key2,
                      const QImage& picture) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void done(int result) override;

  private:
    std::filesystem::path skinDir_;
    std::string skinFile_;
    SkinLayout skin_;
    QImage background_;
    QImage shape_;
    bool dragging_ = false;
    QPoint dragOffset_;
};

// The window shape of a picture: every pixel that is not pure white (0xFFFFFF).
QRegion ShapeOfPicture(const QImage& picture);

}  // namespace q804
