#include "ui/main/tray_host.h"

#include "ui/main/app_icons.h"

namespace q804 {

namespace {

class SystemTray final : public TrayHost {
  public:
    bool Create(int iconId, const QString& tooltip) override {
        return icon_.Create(AppIcon(iconId), tooltip);
    }
    void SetIcon(int iconId) override { icon_.SetIcon(AppIcon(iconId)); }
    void Remove() override { icon_.Remove(); }
    bool IsShown() const override { return icon_.IsShown(); }
    void SetMenu(CTrayIcon::MenuBuilder builder, CTrayIcon::CommandHandler handler,
                 std::function<void()> beforeMenu) override {
        icon_.SetMenuBuilder(std::move(builder));
        icon_.SetCommandHandler(std::move(handler));
        icon_.SetBeforeMenu(std::move(beforeMenu));
    }

  private:
    CTrayIcon icon_;
};

}  // namespace

std::unique_ptr<TrayHost> MakeSystemTray() {
    return std::make_unique<SystemTray>();
}

}  // namespace q804
