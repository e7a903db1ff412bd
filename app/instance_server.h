#pragma once

// The first instance's end of the single-instance channel: a local socket reachable only by
// this user. Each connection carries one request; the handler runs on the window's thread
// and the acknowledgement goes back only after it returned.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "app/context/instance_channel.h"

namespace q804 {

class InstanceServer : public QObject {
    Q_OBJECT

  public:
    using Handler = std::function<void(const InstanceRequest& request)>;

    InstanceServer(std::filesystem::path socket, unsigned userId, Handler handler,
                   QObject* parent = nullptr);
    ~InstanceServer() override;

    // Takes the socket's name: a socket file this user left behind (an instance that
    // crashed; the caller holds the instance lock, so nobody listens on it) is removed
    // first. False, with the reason, when the name cannot be taken, for instance because
    // another user's file holds it.
    bool Listen(std::string* why);
    bool IsListening() const { return server_.isListening(); }
    // Stops listening and removes the socket file.
    void Close();

  private:
    void OnConnection();

    std::filesystem::path socket_;
    unsigned userId_;
    Handler handler_;
    QLocalServer server_;
};

}  // namespace q804
