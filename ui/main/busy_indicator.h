#pragma once

// The busy indicator of Apply: the progress picture (control 1177) cycles through
// "jdt1.bmp" ... "jdt10.bmp" every 50 ms (timer 1050) while device work runs.

#include <QImage>
#include <QTimer>
#include <filesystem>
#include <vector>

#include "ui/skin/color_static.h"

namespace q804 {

class CBaseDialog;

class BusyIndicator : public QObject {
    Q_OBJECT

  public:
    static constexpr int kTimerId = 1050;
    static constexpr int kFramePeriodMs = 50;
    static constexpr int kHideDelayMs = 100;

    // Places the picture from the dialog's skin and loads the frames.
    explicit BusyIndicator(CBaseDialog& dialog);

    void Show();
    // The picture goes after a short delay, so even quick work is seen to happen.
    void Hide();
    bool IsShown() const { return shown_; }
    int Frame() const { return frame_; }
    ColorStatic& Picture() { return *picture_; }

  private:
    void Advance();

    ColorStatic* picture_;
    std::vector<QImage> frames_;
    QTimer timer_;
    int frame_ = 0;
    bool shown_ = false;
    unsigned generation_ = 0;
};

}  // namespace q804
