// q804-config: the Veltrano Q804 RGB configurator.
//   q804-config [/Start | --start] [/Kill | --kill] [--simulate[=STATE_FILE]]

#include "app/application.h"

int main(int argc, char** argv) {
    return q804::CQuorvaneApp::Run(argc, argv);
}
