#pragma once

// Settings files in the classic INI syntax, read and written with the rules of the
// private-profile functions that the skin, language, settings and user-mode files were
// made for:
//  - section and key names are compared without regard to ASCII case;
//  - the first matching section, and in it the first matching key, wins;
//  - blanks around names and values are trimmed and one pair of surrounding quotes
//    (" or ') is removed from a value;
//  - lines outside any section, lines without '=' and lines starting with ';' are ignored;
//  - a value is cut to kIniValueMaxChars characters;
//  - UTF-8 with or without a byte-order mark, LF or CRLF line ends.
// Writing changes only the line of the key (or adds one line, or one section at the end)
// and keeps every other byte of the file, then replaces the file atomically.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace q804 {

inline constexpr std::size_t kIniValueMaxChars = 259;

class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(std::string text);

    // The value as written (trimmed, unquoted, not yet cut), or nothing when the section or
    // key is missing.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // The value cut to maxChars characters, or the default when the section or key is missing.
    std::string Get(std::string_view section, std::string_view key, std::string_view fallback,
                    std::size_t maxChars = kIniValueMaxChars) const;

    bool HasSection(std::string_view section) const;

    // Key names of the first matching section, in file order, each once.
    std::vector<std::string> Keys(std::string_view section) const;

    // Sets the value of a key with the in-place rules above. Line breaks in the value are
    // replaced by blanks so that a value can never add lines of its own.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Removes the first matching key line of the first matching section, if any.
    void Remove(std::string_view section, std::string_view key);

    const std::string& text() const { return text_; }

  private:
    enum class LineKind { kOther, kSection, kKey };
    struct Line {
        std::size_t begin = 0;       // first byte of the line
        std::size_t contentEnd = 0;  // end of the line without its line break
        std::size_t end = 0;         // end including the line break
        LineKind kind = LineKind::kOther;
        std::size_t nameBegin = 0;   // section or key name, trimmed, as offsets so that
        std::size_t nameSize = 0;    // copies of a document stay valid
        std::size_t valueBegin = 0;  // for keys: first byte after '='
    };

    void Reparse();
    std::string_view NameOf(const Line& line) const {
        return std::string_view(text_).substr(line.nameBegin, line.nameSize);
    }
    // Index of the first line of the first matching section's header, or npos.
    std::size_t FindSection(std::string_view section) const;
    std::size_t FindKey(std::size_t sectionLine, std::string_view key) const;
    std::string_view NewLine() const;

    std::string text_;
    std::vector<Line> lines_;
};

// Reads one value from a file; a missing or unreadable file gives the default.
std::string ReadIniString(const std::filesystem::path& path, std::string_view section,
                          std::string_view key, std::string_view fallback,
                          std::size_t maxChars = kIniValueMaxChars);

// Loads a file for editing: a missing file is an empty document, an unreadable one an error.
Result<IniDocument> LoadIniForEditing(const std::filesystem::path& path);

// Sets one value in a file (created when missing). A missing folder or an unwritable file
// is an error for the caller.
Status WriteIniString(const std::filesystem::path& path, std::string_view section,
                      std::string_view key, std::string_view value);

// Parsed files shared between lookups. A file is parsed again only when its size, its
// modification time or its identity (a file replaced by rename) changed, so a file edited
// while the program runs is seen at the next lookup without paying for a parse each time.
class IniCache {
  public:
    // The parsed file, or nullptr when it is missing or unreadable.
    std::shared_ptr<const IniDocument> Load(const std::filesystem::path& path);

  private:
    struct Entry {
        std::uintmax_t size = 0;
        std::int64_t mtimeNs = 0;
        std::uint64_t inode = 0;
        std::shared_ptr<const IniDocument> document;
    };
    std::mutex mutex_;
    std::map<std::filesystem::path, Entry> entries_;
};

}  // namespace q804
