#pragma once

// A small JSON writer for the tool's script-facing output: one line, ", " between members
// and ": " after keys. Strings are escaped, and text that is not valid UTF-8 has its bad
// bytes replaced, so the output is always valid JSON.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/json_text.h"

namespace q804::cli {

class JsonWriter {
  public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The next value belongs to this member of the enclosing object.
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view text);
    JsonWriter& Number(std::int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& text() const { return text_; }

  private:
    void BeforeValue();

    std::string text_;
    // Per open container: whether it has a member yet.
    std::vector<bool> hasMember_;
    bool afterKey_ = false;
};

using q804::JsonQuote;

}  // namespace q804::cli
