#include "cli/JsonWriter.hpp"

#include <cstdio>

namespace velmora::cli {
namespace {

// Length of the well-formed UTF-8 sequence starting at text[at], or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

void AppendEscaped(std::string& out, unsigned char c)
{
    switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    if (c < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", c);
        out += escape;
    } else {
        out += static_cast<char>(c);
    }
}

}  // namespace

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    std::size_t at = 0;
    while (at < text.size()) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) {
            AppendEscaped(out, c);
            ++at;
        } else if (const std::size_t length = Utf8SequenceLength(text, at); length > 0) {
            out.append(text.substr(at, length));
            at += length;
        } else {
            out += "\\ufffd";
            ++at;
        }
    }
    out += '"';
    return out;
}

JsonWriter& JsonWriter::BeginObject()
{
    Open('{');
    return *this;
}

JsonWriter& JsonWriter::EndObject()
{
    Close('}');
    return *this;
}

JsonWriter& JsonWriter::BeginArray()
{
    Open('[');
    return *this;
}

JsonWriter& JsonWriter::EndArray()
{
    Close(']');
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name)
{
    BeforeValue();
    out_ += JsonString(name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text)
{
    BeforeValue();
    out_ += JsonString(text);
    return *this;
}

JsonWriter& JsonWriter::Number(std::int64_t value)
{
    BeforeValue();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value)
{
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null()
{
    BeforeValue();
    out_ += "null";
    return *this;
}

// A value right after its key needs no separator; any other one after the
// first of its container needs a comma.
void JsonWriter::BeforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasValue_.empty()) {
        if (hasValue_.back()) {
            out_ += ',';
        }
        hasValue_.back() = true;
    }
}

void JsonWriter::Open(char bracket)
{
    BeforeValue();
    out_ += bracket;
    hasValue_.push_back(false);
}

void JsonWriter::Close(char bracket)
{
    hasValue_.pop_back();
    out_ += bracket;
}

}  // namespace velmora::cli
