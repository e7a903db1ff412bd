#include "ui/main/window_messages.h"

#include <QThread>
#include <memory>

namespace q804 {

WindowMessages::WindowMessages(QObject* parent) : QObject(parent) {}

WindowMessages::~WindowMessages() {
    Cancel();
}

void WindowMessages::Dispatch(std::uint32_t message, std::uint32_t code, std::int64_t param) {
    if (handler_ && !cancelled()) {
        handler_(message, code, param);
    }
}

void WindowMessages::Post(std::uint32_t message, std::uint32_t code, std::int64_t param) {
    if (cancelled()) {
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, message, code, param] { Dispatch(message, code, param); },
        Qt::QueuedConnection);
}

bool WindowMessages::Send(std::uint32_t message, std::uint32_t code, std::int64_t param) {
    if (QThread::currentThread() == thread()) {
        if (cancelled()) {
            return false;
        }
        Dispatch(message, code, param);
        return true;
    }
    auto pending = std::make_shared<Pending>();
    {
        std::lock_guard lock(mutex_);
        if (cancelled_) {
            return false;
        }
    }
    QMetaObject::invokeMethod(
        this,
        [this, pending, message, code, param] {
            Dispatch(message, code, param);
            std::lock_guard lock(mutex_);
            pending->done = true;
            handled_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    handled_.wait(lock, [&] { return pending->done || cancelled_; });
    return pending->done;
}

void WindowMessages::Cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    handled_.notify_all();
}

bool WindowMessages::cancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

}  // namespace q804
