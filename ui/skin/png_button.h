#pragma once

// CPngButton: the image button of every skinned dialog. It draws no face of its own: each
// state shows the piece of a full-window state picture that lies under the button (taken
// at its source position minus one pixel each way), optionally with a caption, a coloured
// frame (the mark) and a tooltip.

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <cstdint>

#include "ui/skin/paint_hook.h"

namespace q804 {

// Caption format flags, with the values of the dialog toolkit's text drawing.
namespace caption {
inline constexpr int kLeft = 0x00;
inline constexpr int kCentre = 0x01;
inline constexpr int kRight = 0x02;
inline constexpr int kVCentre = 0x04;
inline constexpr int kBottom = 0x08;
inline constexpr int kWordBreak = 0x10;
inline constexpr int kSingleLine = 0x20;
// Centred horizontally and vertically on one line.
inline constexpr int kDefaultFormat = kCentre | kVCentre | kSingleLine;  // 37
}  // namespace caption

// A colour as the lighting code holds it: red in the low byte, then green, then blue.
QColor ColourFromRef(std::uint32_t colour);
std::uint32_t RefFromColour(const QColor& colour);

class CPngButton : public QAbstractButton {
    Q_OBJECT

  public:
    // Which picture a paint draws, in the order the choice is made.
    enum class Face { kDisabled, kLatchedA, kLatchedB, kPressed, kHover, kChecked, kNormal };

    static constexpr int kTooltipDelayMs = 300;
    static constexpr int kDefaultCaptionPoints = 8;
    static constexpr int kMaxMarkValue = 100;
    static constexpr int kMarkPenWidth = 2;
    static constexpr int kRotatedWeight = 956;
    static constexpr int kNormalWeight = 400;

    explicit CPngButton(PaintHookRegistry& hooks, QWidget* parent = nullptr);
    ~CPngButton() override;

    // The piece of each picture at (x - 1, y - 1) is shown; hover, pressed and tracking are
    // cleared.
    void SetPictures(int sourceX, int sourceY, const QImage& normal, const QImage& hover,
                     const QImage& pressed, const QImage& disabled, const QImage& checked,
                     bool redraw = true);
    void SetPicturesOnly(const QImage& normal, const QImage& hover, const QImage& pressed,
                         const QImage& disabled, const QImage& checked, bool redraw = true);
    void SetSourcePosition(int x, int y, bool redraw = true);
    // The checked look (the key, profile and report-rate buttons' latched state).
    void SetChecked(bool checked, bool redraw = true);
    // A second latched look: picture B when `variant` is set, else A.
    void SetLatchedLook(const QImage& pictureA, bool latched, const QImage& pictureB, bool variant,
                        bool redraw = true);
    // `on` shows a 2-pixel frame in the colour (red in the low byte) instead of leaving the
    // picture bare; a value above 100 is stored as 100 and changes nothing in the drawing.
    void SetMark(std::uint32_t colour, int value, bool on);
    void SetCaptionStyle(bool on, int sizePoints, const QString& face, const QColor& normal,
                         const QColor& hover, const QColor& pressed, const QColor& disabled,
                         const QColor& checked, int format = caption::kDefaultFormat);
    // Each value moves its edge of the caption rectangle: left and right to the right, top
    // and bottom down.
    void SetCaptionInsets(int left, int right, int top, int bottom);
    // Angle in tenths of a degree, counter-clockwise; `rotated` draws heavy text centred
    // for the rotation.
    void SetCaptionAngle(int tenthsOfDegree, bool rotated);
    // A non-empty text becomes the tooltip, shown 300 ms after the mouse comes to rest on
    // the button; `activate` false keeps it silent. An empty text changes nothing.
    void SetTooltip(const QString& text, bool activate);

    QPoint SourcePosition() const { return source_; }
    bool IsCheckedLook() const { return checked_; }
    bool IsLatched() const { return latched_; }
    bool IsHover() const { return hover_; }
    bool IsTracking() const { return tracking_; }
    bool IsMarked() const { return marked_; }
    std::uint32_t MarkColour() const { return markColour_; }
    int MarkValue() const { return markValue_; }
    const QString& TooltipText() const { return tooltipText_; }
    bool TooltipActive() const { return tooltipActive_; }
    bool TooltipPending() const { return tooltipTimer_.isActive(); }
    QString CaptionFace() const { return captionFace_; }
    int CaptionPoints() const { return captionPoints_; }
    int CaptionFormat() const { return captionFormat_; }

    // The picture a paint would draw now, with the first-match order of the toolkit.
    Face ChosenFace() const;
    const QImage& PictureOf(Face face) const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void Redraw(bool redraw);
    void ShowTooltip();
    void HideTooltip();
    QColor CaptionColour(Face face) const;
    void DrawCaption(QPainter& painter, Face face);

    PaintHookRegistry& hooks_;
    QPoint source_{1, 1};
    QImage normal_;
    QImage hoverPicture_;
    QImage pressed_;
    QImage disabled_;
    QImage checkedPicture_;
    QImage latchedA_;
    QImage latchedB_;
    bool latched_ = false;
    bool variant_ = false;
    bool hover_ = false;
    bool tracking_ = false;
    bool checked_ = false;
    bool marked_ = false;
    std::uint32_t markColour_ = 0;
    int markValue_ = 0;
    bool captionOn_ = false;
    int captionPoints_ = kDefaultCaptionPoints;
    QString captionFace_ = QStringLiteral("Tahoma Unicode MS");
    QColor captionColours_[5];  // normal, hover, pressed, disabled, checked
    int captionFormat_ = caption::kDefaultFormat;
    int insetLeft_ = 0;
    int insetRight_ = 0;
    int insetTop_ = 0;
    int insetBottom_ = 0;
    int captionAngle_ = 0;
    bool rotated_ = false;
    QString tooltipText_;
    bool tooltipActive_ = false;
    QTimer tooltipTimer_;
};

}  // namespace q804
