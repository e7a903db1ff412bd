#pragma once

// CQuorvaneApp: the configurator's process from launch to end. The command line and the
// single-instance hand-over are settled before anything needs a display, so a second launch
// or "/Kill" works anywhere; the first instance then starts the companion daemon, builds the
// application context and runs the main window until Quit.

namespace q804 {

class CQuorvaneApp {
  public:
    // The process's exit code (0 in every case the program knows of).
    static int Run(int argc, char** argv);
};

}  // namespace q804
