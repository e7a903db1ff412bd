#pragma once

// The paint hook of the image buttons: one function, called by every image button after
// each paint with the button and whether it drew its normal picture. The keyboard view
// couples repaints through it (a repainted indicator repaints the keys it governs).
//
// The hook is process-wide in purpose but not a global: the application owns one registry
// and hands it by reference to every image button it makes. Tests make their own registry,
// so no test sees another's hook, and nothing outlives the objects that own it.

#include <functional>
#include <utility>

namespace q804 {

class CPngButton;

class PaintHookRegistry {
  public:
    using Hook = std::function<void(CPngButton& button, bool drewNormal)>;

    // Installs the hook, replacing any other; an empty function removes it.
    void Set(Hook hook) { hook_ = std::move(hook); }
    void Clear() { hook_ = nullptr; }
    bool HasHook() const { return static_cast<bool>(hook_); }

    void Call(CPngButton& button, bool drewNormal) const {
        // A hook may replace itself while it runs; call a copy.
        if (Hook hook = hook_) {
            hook(button, drewNormal);
        }
    }

  private:
    Hook hook_;
};

}  // namespace q804
