#include "host/HostOutputWriter.h"

#include <cstdio>

namespace {

std::string Indent(int depth) {
    return std::string(static_cast<size_t>(depth) * 2, ' ');
}

void WriteJson(const HostValue& value, int depth, std::string& out) {
    switch (value.GetKind()) {
    case HostValue::Kind::Null:
        out += "null";
        return;
    case HostValue::Kind::Bool:
        out += value.GetBool() ? "true" : "false";
        return;
    case HostValue::Kind::Number:
        out += std::to_string(value.GetNumber());
        return;
    case HostValue::Kind::Text:
        out += HostOutputWriter::JsonString(value.GetText());
        return;
    case HostValue::Kind::List: {
        if (value.Items().empty()) {
            out += "[]";
            return;
        }
        out += "[\n";
        for (size_t i = 0; i < value.Items().size(); ++i) {
            out += Indent(depth + 1);
            WriteJson(value.Items()[i], depth + 1, out);
            out += i + 1 < value.Items().size() ? ",\n" : "\n";
        }
        out += Indent(depth) + "]";
        return;
    }
    case HostValue::Kind::Object: {
        if (value.Members().empty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        for (size_t i = 0; i < value.Members().size(); ++i) {
            const auto& [name, member] = value.Members()[i];
            out += Indent(depth + 1) + HostOutputWriter::JsonString(name) + ": ";
            WriteJson(member, depth + 1, out);
            out += i + 1 < value.Members().size() ? ",\n" : "\n";
        }
        out += Indent(depth) + "}";
        return;
    }
    }
}

bool IsPlain(const HostValue& value) {
    return value.GetKind() != HostValue::Kind::List && value.GetKind() != HostValue::Kind::Object;
}

std::string PlainText(const HostValue& value) {
    switch (value.GetKind()) {
    case HostValue::Kind::Null:
        return "-";
    case HostValue::Kind::Bool:
        return value.GetBool() ? "yes" : "no";
    case HostValue::Kind::Number:
        return std::to_string(value.GetNumber());
    default:
        return value.GetText();
    }
}

bool AllPlain(const HostValue& list) {
    for (const HostValue& item : list.Items())
        if (!IsPlain(item)) return false;
    return true;
}

void WriteText(const HostValue& value, int depth, std::string& out);

// A member or list entry: plain values and plain lists on the line of their
// label, the rest below it.
void WriteLabelled(const std::string& label, const HostValue& value, int depth, std::string& out) {
    out += Indent(depth) + label;
    if (IsPlain(value)) {
        out += " " + PlainText(value) + "\n";
        return;
    }
    if (value.GetKind() == HostValue::Kind::List && AllPlain(value)) {
        std::string line;
        for (const HostValue& item : value.Items())
            line += (line.empty() ? "" : ", ") + PlainText(item);
        out += (line.empty() ? "" : " ") + line + "\n";
        return;
    }
    out += "\n";
    WriteText(value, depth + 1, out);
}

void WriteText(const HostValue& value, int depth, std::string& out) {
    if (IsPlain(value)) {
        out += Indent(depth) + PlainText(value) + "\n";
        return;
    }
    if (value.GetKind() == HostValue::Kind::Object) {
        for (const auto& [name, member] : value.Members())
            WriteLabelled(name + ":", member, depth, out);
        return;
    }
    for (size_t i = 0; i < value.Items().size(); ++i)
        WriteLabelled("[" + std::to_string(i + 1) + "]", value.Items()[i], depth, out);
}

} // namespace

std::string HostOutputWriter::JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string HostOutputWriter::Json(const HostValue& value) {
    std::string out;
    WriteJson(value, 0, out);
    return out + "\n";
}

std::string HostOutputWriter::Text(const HostValue& value) {
    std::string out;
    WriteText(value, 0, out);
    return out;
}
