#pragma once

// ColorStatic: a caption or picture drawn straight over the dialog's background picture,
// with no background of its own. Captions of the lighting panel and the editor use it;
// with a picture and a click handler it is the lighting panel's clickable bitmap.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

namespace q804 {

class ColorStatic : public QWidget {
    Q_OBJECT

  public:
    explicit ColorStatic(QWidget* parent = nullptr);

    void SetText(const QString& text);
    const QString& Text() const { return text_; }
    void SetTextColour(const QColor& colour);
    QColor TextColour() const { return colour_; }
    // Qt alignment flags; left and vertically centred by default.
    void SetAlignment(Qt::Alignment alignment);
    // Font face and size in points, as the dialogs give them.
    void SetFontFace(const QString& face, double points, bool bold = false);
    // A picture shown at the top-left at its natural size, over the text if both are set.
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    // Clicks are reported only when asked for; otherwise presses fall through to the dialog
    // (a press on a caption moves the window like one on the background).
    void SetClickable(bool clickable);

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString text_;
    QColor colour_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    QImage picture_;
    bool clickable_ = false;
    bool pressed_ = false;
};

}  // namespace q804
