#include "app/instance_server.h"

#include <QLocalSocket>
#include <memory>

namespace q804 {

InstanceServer::InstanceServer(std::filesystem::path socket, unsigned userId, Handler handler,
                               QObject* parent)
    : QObject(parent), socket_(std::move(socket)), userId_(userId), handler_(std::move(handler)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::OnConnection);
}

InstanceServer::~InstanceServer() {
    Close();
}

bool InstanceServer::Listen(std::string* why) {
    const QString name = QString::fromStdString(socket_.string());
    switch (OwnerOfSocket(socket_, userId_)) {
        case SocketOwner::kOtherUser:
            if (why != nullptr) {
                *why = socket_.string() + " belongs to another user";
            }
            return false;
        case SocketOwner::kThisUser:
            QLocalServer::removeServer(name);  // stale: its instance is gone
            break;
        case SocketOwner::kNone:
            break;
    }
    if (!server_.listen(name)) {
        if (why != nullptr) {
            *why =
                "cannot listen on " + socket_.string() + ": " + server_.errorString().toStdString();
        }
        return false;
    }
    return true;
}

void InstanceServer::Close() {
    if (server_.isListening()) {
        server_.close();  // removes the socket file
    }
}

void InstanceServer::OnConnection() {
    while (QLocalSocket* client = server_.nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(client, &QLocalSocket::readyRead, this, [this, client, buffer] {
            buffer->append(
                client->read(static_cast<qint64>(kInstanceRequestSize) - buffer->size()));
            if (buffer->size() < static_cast<qsizetype>(kInstanceRequestSize)) {
                return;
            }
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer->constData());
            const std::optional<InstanceRequest> request =
                DecodeInstanceRequest(std::span(bytes, kInstanceRequestSize));
            buffer->clear();
            // One request per connection: anything after it is not read.
            client->disconnect(this);
            if (request && handler_) {
                handler_(*request);
            }
            const char ack = static_cast<char>(kInstanceAck);
            client->write(&ack, 1);
            client->flush();
            client->disconnectFromServer();
        });
    }
}

}  // namespace q804
