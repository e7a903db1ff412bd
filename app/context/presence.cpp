#include "app/context/presence.h"

namespace q804 {

PresenceHandler::PresenceHandler(ShellState& shell, model::DeviceState& device,
                                 device::TransferEngine& engine, PresenceCallbacks callbacks,
                                 PresenceTiming timing)
    : shell_(shell),
      device_(device),
      engine_(engine),
      callbacks_(std::move(callbacks)),
      timing_(timing) {}

PresenceHandler::~PresenceHandler() {
    Stop();
}

void PresenceHandler::Start(int count) {
    std::lock_guard lock(mutex_);
    if (stopping_) {
        return;
    }
    ReapFinished();
    const std::uint64_t ticket = nextTicket_++;
    Worker& worker = workers_.emplace_back();
    worker.thread = std::thread([this, ticket, count, &worker] {
        {
            std::unique_lock turn(mutex_);
            changed_.wait(turn, [&] { return stopping_ || serving_ == ticket; });
        }
        if (!Stopping()) {
            Run(count);
        }
        std::lock_guard done(mutex_);
        ++serving_;
        worker.done = true;
        changed_.notify_all();
    });
}

void PresenceHandler::ReapFinished() {
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (it->done) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

void PresenceHandler::Stop() {
    std::list<Worker> workers;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
        workers.swap(workers_);
    }
    for (Worker& worker : workers) {
        worker.thread.join();
    }
}

void PresenceHandler::WaitIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return serving_ == nextTicket_; });
}

bool PresenceHandler::Stopping() {
    std::lock_guard lock(mutex_);
    return stopping_ || shell_.quitting.load();
}

bool PresenceHandler::WaitForInit() {
    std::unique_lock lock(mutex_);
    while (shell_.initDone.load() == 0) {
        if (stopping_ || shell_.quitting.load()) {
            return false;
        }
        changed_.wait_for(lock, timing_.initPoll);
    }
    return !stopping_;
}

void PresenceHandler::Run(int count) {
    if (count == shell_.deviceCount.load()) {
        return;  // nothing changed
    }
    if (count > 0) {
        // The firmware gate may end the program here.
        callbacks_.send(shell::kMsgOpenOrVersion, shell::kCodeVersion);
        if (Stopping()) {
            return;
        }
        const model::ArrivalReadResult read = model::ReadKeyboardBasics(engine_, device_);
        if (read.defaultMatrix != device::kResultSuccess && callbacks_.showMessage) {
            callbacks_.showMessage("MAIN_DEFAULT_MATRIX_PROMPT");
        }
        if (Stopping()) {
            return;
        }
        if (callbacks_.reloadFromKeyboard) {
            callbacks_.reloadFromKeyboard();
        }
        callbacks_.send(shell::kMsgProfileRefresh, shell::kCodeProfile);
    } else if (shell_.deviceCount.load() != 0) {
        device_.currentProfile.store(-1);
        callbacks_.send(shell::kMsgCloseEditors, 0);
        callbacks_.hideWindow();
    }
    if (!WaitForInit()) {
        return;
    }
    const int icon = count > 0 ? shell::kIconKeyboard : shell::kIconNoKeyboard;
    shell_.savedTrayIconId.store(icon);
    callbacks_.setTrayIcon(icon);
    shell_.deviceCount.store(count);
    if (shell_.autoOpenDone.load() == 0) {
        if (count > 0) {
            callbacks_.post(shell::kMsgOpenOrVersion, shell::kCodeOpen);
        }
        shell_.autoOpenDone.store(1);
    }
}

}  // namespace q804
