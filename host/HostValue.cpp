#include "host/HostValue.h"

HostValue HostValue::Bool(bool value) {
    HostValue result;
    result.kind_ = Kind::Bool;
    result.number_ = value ? 1 : 0;
    return result;
}

HostValue HostValue::Number(int64_t value) {
    HostValue result;
    result.kind_ = Kind::Number;
    result.number_ = value;
    return result;
}

HostValue HostValue::Text(std::string value) {
    HostValue result;
    result.kind_ = Kind::Text;
    result.text_ = std::move(value);
    return result;
}

HostValue HostValue::List() {
    HostValue result;
    result.kind_ = Kind::List;
    return result;
}

HostValue HostValue::Object() {
    HostValue result;
    result.kind_ = Kind::Object;
    return result;
}

HostValue& HostValue::Append(HostValue value) {
    items_.push_back(std::move(value));
    return items_.back();
}

HostValue& HostValue::Set(const std::string& name, HostValue value) {
    for (auto& member : members_) {
        if (member.first != name) continue;
        member.second = std::move(value);
        return member.second;
    }
    members_.emplace_back(name, std::move(value));
    return members_.back().second;
}

const HostValue* HostValue::Find(const std::string& name) const {
    for (const auto& member : members_)
        if (member.first == name) return &member.second;
    return nullptr;
}
