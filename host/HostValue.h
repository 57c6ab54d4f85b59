#pragma once
// What a command answers, before it is written: a tree of texts, whole
// numbers, truth values, lists and objects whose members keep the order they
// were added in, so the text and the JSON forms list them alike.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class HostValue {
public:
    enum class Kind { Null, Bool, Number, Text, List, Object };

    HostValue() = default;
    static HostValue Bool(bool value);
    static HostValue Number(int64_t value);
    static HostValue Text(std::string value);
    static HostValue List();
    static HostValue Object();

    Kind GetKind() const { return kind_; }
    bool GetBool() const { return number_ != 0; }
    int64_t GetNumber() const { return number_; }
    const std::string& GetText() const { return text_; }
    const std::vector<HostValue>& Items() const { return items_; }
    const std::vector<std::pair<std::string, HostValue>>& Members() const { return members_; }

    // List: appends. Object: sets a member (a new name goes last).
    HostValue& Append(HostValue value);
    HostValue& Set(const std::string& name, HostValue value);
    // Null when the object has no such member.
    const HostValue* Find(const std::string& name) const;

private:
    Kind kind_ = Kind::Null;
    int64_t number_ = 0;
    std::string text_;
    std::vector<HostValue> items_;
    std::vector<std::pair<std::string, HostValue>> members_;
};
