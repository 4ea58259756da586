#pragma once
// cJsonStream: writes indented JSON to a stream as it goes, two spaces a level, an empty
// array or object as [] or {}, strings as UTF-8 with only '"', '\' and control characters
// escaped. The caller opens and closes the containers in order; the text is handed to the
// stream in large pieces.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class cJsonStream {
public:
    explicit cJsonStream(std::ostream& out) : out_(out) {}
    ~cJsonStream() { flush(); }

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    // The name of the next member of the open object.
    void key(std::string_view name);
    void value(uint64_t number);
    // A UTF-8 text.
    void value(std::string_view text);
    // A member of the open object: its name, then its value.
    void member(std::string_view name, uint64_t number) {
        key(name);
        value(number);
    }
    void member(std::string_view name, std::string_view text) {
        key(name);
        value(text);
    }
    // Ends the document with a line break and hands everything written to the stream.
    void finish();

private:
    void open(char bracket);
    void close(char bracket);
    // The separator and indent before a member of an array, or before a key.
    void beforeElement();
    void appendString(std::string_view text);
    void flush();

    std::ostream& out_;
    std::string buffer_;
    // Per open container: whether it holds anything yet.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};
