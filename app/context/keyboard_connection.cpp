#include "app/context/keyboard_connection.h"

#include <system_error>

#include "device/sim/keyboard_memory.h"
#include "device/sim/simulated_keyboard.h"

namespace q804 {

namespace fs = std::filesystem;

fs::path DefaultStateFile(const PerUserPaths& paths) {
    return paths.folder / kDefaultStateFileName;
}

Result<std::unique_ptr<device::sim::SimulatedKeyboard>> OpenSimulatedKeyboard(
    const std::optional<fs::path>& stateFile, const PerUserPaths& paths,
    const fs::path& userModeTemplate) {
    fs::path path;
    if (stateFile) {
        path = *stateFile;
    } else {
        if (Status made = EnsurePerUserFolder(paths, userModeTemplate); !made) {
            return made.error();
        }
        path = DefaultStateFile(paths);
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            auto memory = device::sim::MakeFactoryMemory({});
            if (!memory) {
                return memory.error();
            }
            if (Status saved = device::sim::SaveStateFile(path, memory.value()); !saved) {
                return saved.error();
            }
        }
    }
    return device::sim::SimulatedKeyboard::OpenStateFile(path);
}

Result<std::unique_ptr<KeyboardConnection>> KeyboardConnection::Open(
    std::unique_ptr<device::HidService> service, bool alreadyStarted, device::EngineTiming timing) {
    if (!service) {
        return Error{"no keyboard service"};
    }
    if (!alreadyStarted && service->Init() <= 0) {
        return Error{"the keyboard service could not start"};
    }
    std::unique_ptr<KeyboardConnection> connection(new KeyboardConnection());
    connection->service_ = std::move(service);
    connection->engine_ = std::make_unique<device::TransferEngine>(*connection->service_, timing);
    connection->link_ =
        std::make_unique<device::DeviceLink>(*connection->service_, *connection->engine_);
    return connection;
}

KeyboardConnection::~KeyboardConnection() {
    Stop();
}

void KeyboardConnection::Stop() {
    if (!stopped_ && service_) {
        stopped_ = true;
        service_->End();
    }
}

}  // namespace q804
