#pragma once
// Writes a command's answer as JSON (one document, two-space indents) or as
// readable text: an object's members one a line as "name: value", nested
// objects and lists indented below their name, a list of plain values on
// one line separated by ", ".
#include <string>

#include "host/HostValue.h"

class HostOutputWriter {
public:
    static std::string Json(const HostValue& value);
    static std::string Text(const HostValue& value);
    // A JSON string literal of UTF-8 text (quotes included); control
    // characters and the quote and backslash are escaped.
    static std::string JsonString(const std::string& text);
};
