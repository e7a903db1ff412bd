#include "cli/model_session.h"

#include <ostream>

#include "common/text_format.h"
#include "common/utf.h"
#include "model/profile_file.h"
#include "model/upload.h"

namespace q804::cli {

void PrintMessage(CliContext& context, std::string_view languageKey, std::string_view argument) {
    const std::string text = context.Language().LangText(languageKey);
    context.err() << "q804ctl: " << (argument.empty() ? text : FormatText(text, argument)) << '\n';
}

std::u16string UnnamedMacroPrefix(CliContext& context) {
    return Utf8ToUtf16(context.Language().LangText("MACRO_NEW_PREFIX"));
}

ModelSession::ModelSession(CliContext& context) : context_(context) {
    auto keyboard = context.OpenKeyboard();
    if (!keyboard) {
        context.err() << "q804ctl: " << keyboard.error().message << '\n';
        exitCode_ = kExitNoKeyboard;
        return;
    }
    engine_ = &keyboard.value().engine;
    if (engine_->GetDeviceCount() <= 0) {
        context.err() << "q804ctl: no keyboard is connected";
        if (std::string problem = context.KeyboardProblem(); !problem.empty()) {
            context.err() << ". " << problem;
        }
        context.err() << '\n';
        exitCode_ = kExitNoKeyboard;
        return;
    }
    const model::ArrivalReadResult basics = model::ReadKeyboardBasics(*engine_, state_);
    if (basics.defaultMatrix != device::kResultSuccess) {
        PrintMessage(context, "MAIN_DEFAULT_MATRIX_PROMPT", {});
    }
    store_.InstallNewDefaultStore();
    profiles_ = std::make_unique<model::ProfileContext>(model::ProfileContext{
        store_, *engine_, state_, context.perUserPaths(), context.programPaths().userModeTemplate,
        UnnamedMacroPrefix(context), [&context](std::string_view key, std::string_view argument) {
            PrintMessage(context, key, argument);
        }});
}

bool ModelSession::LoadWorkingFile() {
    (void)EnsurePerUserFolder(profiles_->paths, profiles_->userModeTemplate);
    const auto path = model::ProfileFilePath(profiles_->paths, 0);
    if (model::ValidateProfileFile(path) == model::kProfileValid &&
        model::LoadStoreFile(path, store_.working)) {
        return true;
    }
    if (model::ReloadFromKeyboard(*profiles_)) {
        return true;
    }
    context_.err() << "q804ctl: the keyboard's profiles cannot be read\n";
    exitCode_ = kExitKeyboardError;
    return false;
}

int ModelSession::DeviceFailure(std::string_view what, int result) {
    context_.err() << "q804ctl: " << what << " failed: " << device::DescribeResult(result) << " ("
                   << result << ")\n";
    return result == device::kResultNoDevice ? kExitNoKeyboard : kExitKeyboardError;
}

}  // namespace q804::cli
