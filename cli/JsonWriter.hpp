#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::cli {

// Writes one JSON value on a single line. Strings are taken as UTF-8: control
// characters are escaped, other characters pass through as UTF-8, and bytes
// that are not UTF-8 become U+FFFD, so the output is always valid JSON.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view text);
    JsonWriter& Number(std::int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& Text() const { return out_; }

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);

    std::string out_;
    // One entry per open object or array: whether it holds a value yet.
    std::vector<bool> hasValue_;
    bool afterKey_ = false;
};

// `text` as a quoted JSON string.
std::string JsonString(std::string_view text);

}  // namespace velmora::cli
