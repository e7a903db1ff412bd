#include "ui/main/busy_indicator.h"

#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/skin_dialog.h"

namespace q804 {

BusyIndicator::BusyIndicator(CBaseDialog& dialog)
    : QObject(&dialog), picture_(new ColorStatic(&dialog)) {
    dialog.PlaceFromSkin(*picture_, "CONTROL_JDTStatic");
    for (int n = 1; n <= kBusyPictureCount; ++n) {
        auto picture = LoadSkinPicture(dialog.SkinDir() / BusyPictureName(n));
        frames_.push_back(picture ? picture.value() : QImage());
    }
    picture_->hide();
    timer_.setInterval(kFramePeriodMs);
    connect(&timer_, &QTimer::timeout, this, &BusyIndicator::Advance);
}

void BusyIndicator::Show() {
    ++generation_;
    shown_ = true;
    frame_ = 0;
    picture_->SetPicture(frames_.empty() ? QImage() : frames_.front());
    picture_->show();
    picture_->raise();
    timer_.start();
}

void BusyIndicator::Hide() {
    const unsigned generation = ++generation_;
    QTimer::singleShot(kHideDelayMs, this, [this, generation] {
        if (generation != generation_) {
            return;  // shown again meanwhile
        }
        timer_.stop();
        picture_->hide();
        shown_ = false;
    });
}

void BusyIndicator::Advance() {
    if (frames_.empty()) {
        return;
    }
    frame_ = (frame_ + 1) % static_cast<int>(frames_.size());
    picture_->SetPicture(frames_[static_cast<std::size_t>(frame_)]);
}

}  // namespace q804
