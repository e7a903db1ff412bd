#include "app/context/shell_log.h"

namespace q804 {

ShellLog::ShellLog(const std::filesystem::path& file) {
    auto out = std::make_shared<std::ofstream>(file, std::ios::app);
    if (*out) {
        out_ = std::move(out);
    }
}

ShellLog ShellLog::FromEnvironment(const std::function<const char*(const char*)>& getenv) {
    const char* file = getenv ? getenv(kShellLogVariable) : nullptr;
    if (file == nullptr || file[0] == '\0') {
        return ShellLog();
    }
    return ShellLog(file);
}

void ShellLog::Write(std::string_view line) const {
    if (!out_) {
        return;
    }
    std::lock_guard lock(*mutex_);
    *out_ << line << '\n';
    out_->flush();
}

}  // namespace q804
