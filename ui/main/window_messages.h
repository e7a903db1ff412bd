#pragma once

// The main window's custom messages, delivered on the window's thread. Post queues a
// message and returns at once; Send returns once the message was handled: at once on the
// window's thread, through the window's event queue from any other thread.
//
// A Send from another thread waits for the window, and the window may itself be waiting
// for that thread (at quit it joins the device threads). So waiting Sends can be released:
// after Cancel, every waiting Send returns false and later ones return at once, and queued
// messages are dropped instead of handled.

#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace q804 {

class WindowMessages : public QObject {
    Q_OBJECT

  public:
    using Handler =
        std::function<void(std::uint32_t message, std::uint32_t code, std::int64_t param)>;

    // The handler runs on the thread this object lives on.
    explicit WindowMessages(QObject* parent = nullptr);
    ~WindowMessages() override;

    void SetHandler(Handler handler) { handler_ = std::move(handler); }

    void Post(std::uint32_t message, std::uint32_t code, std::int64_t param = 0);
    // True once the message was handled; false when it was dropped by Cancel.
    bool Send(std::uint32_t message, std::uint32_t code, std::int64_t param = 0);

    void Cancel();
    bool cancelled() const;

  private:
    struct Pending {
        bool done = false;
    };
    void Dispatch(std::uint32_t message, std::uint32_t code, std::int64_t param);

    Handler handler_;
    mutable std::mutex mutex_;
    std::condition_variable handled_;
    bool cancelled_ = false;
};

}  // namespace q804
