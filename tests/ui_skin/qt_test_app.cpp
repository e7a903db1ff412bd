#include "tests/ui_skin/qt_test_app.h"

#include <gtest/gtest.h>

#include <memory>

namespace q804::testing {
namespace {

int argc = 1;
char name[] = "ui_skin_tests";
char* argv[] = {name, nullptr};
std::unique_ptr<QApplication> app;

class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

QApplication& TestApp() {
    return *app;
}

}  // namespace q804::testing
