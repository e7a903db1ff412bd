#include "common/ini_file.h"

#include <sys/stat.h>

#include <algorithm>

#include "common/file_io.h"
#include "common/utf.h"

namespace q804 {
namespace {

// INI files are small; anything bigger is not one of ours.
constexpr std::uintmax_t kMaxIniBytes = 16 * 1024 * 1024;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::string_view Unquote(std::string_view value) {
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string SingleLine(std::string_view value) {
    std::string out(value);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return out;
}

}  // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)) {
    Reparse();
}

void IniDocument::Reparse() {
    lines_.clear();
    std::size_t pos = text_.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0 ? kUtf8Bom.size() : 0;
    while (pos < text_.size()) {
        Line line;
        line.begin = pos;
        std::size_t newline = text_.find('\n', pos);
        line.end = newline == std::string::npos ? text_.size() : newline + 1;
        line.contentEnd = newline == std::string::npos ? text_.size() : newline;
        if (line.contentEnd > line.begin && text_[line.contentEnd - 1] == '\r') {
            --line.contentEnd;
        }
        std::string_view content(text_.data() + line.begin, line.contentEnd - line.begin);
        std::string_view trimmed = Trim(content);
        if (!trimmed.empty() && trimmed.front() == '[') {
            std::size_t close = trimmed.find(']');
            line.kind = LineKind::kSection;
            std::string_view name = Trim(trimmed.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            line.nameBegin = static_cast<std::size_t>(name.data() - text_.data());
            line.nameSize = name.size();
        } else if (!trimmed.empty() && trimmed.front() != ';') {
            std::size_t equals = content.find('=');
            if (equals != std::string_view::npos) {
                std::string_view name = Trim(content.substr(0, equals));
                line.nameBegin = static_cast<std::size_t>(name.data() - text_.data());
                line.nameSize = name.size();
                if (!name.empty()) {
                    line.kind = LineKind::kKey;
                    line.valueBegin = line.begin + equals + 1;
                }
            }
        }
        lines_.push_back(line);
        pos = line.end;
    }
}

std::size_t IniDocument::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::kSection && EqualsNoCase(NameOf(lines_[i]), section)) {
            return i;
        }
    }
    return std::string::npos;
}

std::size_t IniDocument::FindKey(std::size_t sectionLine, std::string_view key) const {
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::kSection) {
            break;
        }
        if (lines_[i].kind == LineKind::kKey && EqualsNoCase(NameOf(lines_[i]), key)) {
            return i;
        }
    }
    return std::string::npos;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
    std::size_t sectionLine = FindSection(section);
    if (sectionLine == std::string::npos) {
        return std::nullopt;
    }
    std::size_t keyLine = FindKey(sectionLine, key);
    if (keyLine == std::string::npos) {
        return std::nullopt;
    }
    const Line& line = lines_[keyLine];
    return Unquote(
        std::string_view(text_.data() + line.valueBegin, line.contentEnd - line.valueBegin));
}

std::string IniDocument::Get(std::string_view section, std::string_view key,
                             std::string_view fallback, std::size_t maxChars) const {
    std::optional<std::string_view> value = Find(section, key);
    return std::string(Utf8Prefix(value ? *value : fallback, maxChars));
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(section) != std::string::npos;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    std::size_t sectionLine = FindSection(section);
    if (sectionLine == std::string::npos) {
        return keys;
    }
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::kSection) {
            break;
        }
        if (lines_[i].kind != LineKind::kKey) {
            continue;
        }
        bool seen = std::any_of(keys.begin(), keys.end(), [&](const std::string& k) {
            return EqualsNoCase(k, NameOf(lines_[i]));
        });
        if (!seen) {
            keys.emplace_back(NameOf(lines_[i]));
        }
    }
    return keys;
}

std::string_view IniDocument::NewLine() const {
    std::size_t newline = text_.find('\n');
    return newline != std::string::npos && newline > 0 && text_[newline - 1] == '\r' ? "\r\n"
                                                                                     : "\n";
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string cleanValue = SingleLine(value);
    const std::string cleanKey = SingleLine(Trim(key));
    const std::string nl(NewLine());
    std::size_t sectionLine = FindSection(section);
    if (sectionLine == std::string::npos) {
        std::string addition;
        if (!text_.empty() && text_.back() != '\n') {
            addition += nl;
        }
        addition += "[" + SingleLine(Trim(section)) + "]" + nl + cleanKey + "=" + cleanValue + nl;
        text_ += addition;
        Reparse();
        return;
    }
    std::size_t keyLine = FindKey(sectionLine, key);
    if (keyLine != std::string::npos) {
        const Line& line = lines_[keyLine];
        text_.replace(line.valueBegin, line.contentEnd - line.valueBegin, cleanValue);
        Reparse();
        return;
    }
    // After the last non-blank line of the section, so blank separators stay before the next.
    std::size_t last = sectionLine;
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::kSection) {
            break;
        }
        std::string_view content(text_.data() + lines_[i].begin,
                                 lines_[i].contentEnd - lines_[i].begin);
        if (!Trim(content).empty()) {
            last = i;
        }
    }
    std::size_t insertAt = lines_[last].end;
    std::string addition;
    if (lines_[last].end == lines_[last].contentEnd) {  // last line of the file, no line break
        addition += nl;
    }
    addition += cleanKey + "=" + cleanValue + nl;
    text_.insert(insertAt, addition);
    Reparse();
}

void IniDocument::Remove(std::string_view section, std::string_view key) {
    std::size_t sectionLine = FindSection(section);
    if (sectionLine == std::string::npos) {
        return;
    }
    std::size_t keyLine = FindKey(sectionLine, key);
    if (keyLine == std::string::npos) {
        return;
    }
    text_.erase(lines_[keyLine].begin, lines_[keyLine].end - lines_[keyLine].begin);
    Reparse();
}

Result<IniDocument> LoadIniForEditing(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return IniDocument();
    }
    auto bytes = ReadRegularFile(path, kMaxIniBytes);
    if (!bytes) {
        return bytes.error();
    }
    return IniDocument(std::string(bytes.value().begin(), bytes.value().end()));
}

std::string ReadIniString(const std::filesystem::path& path, std::string_view section,
                          std::string_view key, std::string_view fallback, std::size_t maxChars) {
    auto bytes = ReadRegularFile(path, kMaxIniBytes);
    if (!bytes) {
        return std::string(Utf8Prefix(fallback, maxChars));
    }
    IniDocument document(std::string(bytes.value().begin(), bytes.value().end()));
    return document.Get(section, key, fallback, maxChars);
}

Status WriteIniString(const std::filesystem::path& path, std::string_view section,
                      std::string_view key, std::string_view value) {
    auto document = LoadIniForEditing(path);
    if (!document) {
        return document.error();
    }
    document.value().Set(section, key, value);
    return WriteFileAtomically(path, document.value().text());
}

std::shared_ptr<const IniDocument> IniCache::Load(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::lock_guard lock(mutex_);
        entries_.erase(path);
        return nullptr;
    }
    const std::int64_t mtimeNs =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    {
        std::lock_guard lock(mutex_);
        auto it = entries_.find(path);
        if (it != entries_.end() && it->second.size == static_cast<std::uintmax_t>(info.st_size) &&
            it->second.mtimeNs == mtimeNs && it->second.inode == info.st_ino) {
            return it->second.document;
        }
    }
    auto bytes = ReadRegularFile(path, kMaxIniBytes);
    if (!bytes) {
        return nullptr;
    }
    auto document = std::make_shared<const IniDocument>(
        std::string(bytes.value().begin(), bytes.value().end()));
    std::lock_guard lock(mutex_);
    entries_[path] = Entry{static_cast<std::uintmax_t>(info.st_size), mtimeNs,
                           static_cast<std::uint64_t>(info.st_ino), document};
    return document;
}

}  // namespace q804
