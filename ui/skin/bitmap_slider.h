#pragma once

// CBitmapSlider: a horizontal slider drawn from pictures. Its face is a picture per
// position (the lighting panel's "0.bmp" ... pictures show the whole slider with its thumb
// at that position) or one thumb picture moved along an optional channel picture; without
// pictures it draws a plain slider in the skin's look.
//
// It tells its owner of every position it reports with the signal `sliderNotified`: on a
// button press that moves the thumb, on every position change while dragging, on every
// button release, on the keys Left/Up (-1), Right/Down (+1), Page Up/Page Down (one page),
// Home and End, and on each wheel notch once the slider has the focus (towards the user +1,
// away -1). The position is always clamped to the range first.

#include <QImage>
#include <QWidget>
#include <vector>

namespace q804 {

// The window message number the main window knows slider notifications by.
inline constexpr int kMsgSlider = 0x28D1;

class CBitmapSlider : public QWidget {
    Q_OBJECT

  public:
    explicit CBitmapSlider(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return controlId_; }
    void SetRange(int minimum, int maximum);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    void SetPageSize(int page);
    // Sets the position without notifying.
    void SetPosition(int position);
    int Position() const { return position_; }

    // Pictures: one per position from the minimum up (the whole face), or one thumb and an
    // optional channel. `margin` is the distance from each end to the centre of the first
    // and last position.
    void SetFacePictures(std::vector<QImage> pictures);
    void SetThumbPicture(const QImage& thumb, const QImage& channel = QImage());
    void SetMargin(int margin);
    int Margin() const;

    // Position under an x coordinate of the widget, clamped to the range.
    int PositionAt(int x) const;
    // Centre of a position's thumb.
    double ThumbCentre(int position) const;

  signals:
    void sliderNotified(int controlId, int position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    int Clamp(int position) const;
    void MoveAndNotify(int position);

    int controlId_;
    int minimum_ = 0;
    int maximum_ = 5;
    int page_ = 1;
    int position_ = 0;
    int margin_ = -1;  // -1: half the height
    bool dragging_ = false;
    int wheelRemainder_ = 0;
    std::vector<QImage> faces_;
    QImage thumb_;
    QImage channel_;
};

}  // namespace q804
