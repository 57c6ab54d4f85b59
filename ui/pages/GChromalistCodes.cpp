#include "ui/pages/GChromalistCodes.h"

#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedBody.h"

namespace GChromalistCodes {

int32_t Get(const MPersistentObject* object, int32_t kind, int32_t field, uint8_t& code) {
    if (const auto* enhanced = dynamic_cast<const GChromalistEnhancedBody*>(object))
        return enhanced->HasStoredOption(kind, field) ? enhanced->GetOption(kind, field, code) : 0;
    if (const auto* base = dynamic_cast<const GChromalistAttribute*>(object))
        return base->HasStoredOption(kind, field) ? base->GetOption(kind, field, code) : 0;
    return 0;
}

int32_t Set(MPersistentObject* object, int32_t kind, int32_t field, uint8_t code) {
    if (auto* enhanced = dynamic_cast<GChromalistEnhancedBody*>(object))
        return enhanced->HasStoredOption(kind, field) ? enhanced->SetOption(kind, field, code) : 0;
    if (auto* base = dynamic_cast<GChromalistAttribute*>(object))
        return base->HasStoredOption(kind, field) ? base->SetOption(kind, field, code) : 0;
    return 0;
}

bool Same(const MPersistentObject* a, const MPersistentObject* b) {
    if (const auto* enhanced = dynamic_cast<const GChromalistEnhancedBody*>(a))
        return enhanced->SameOptions(b);
    if (const auto* base = dynamic_cast<const GChromalistAttribute*>(a)) return base->SameOptions(b);
    return false;
}

bool Assign(MPersistentObject* target, const MPersistentObject* source) {
    if (auto* enhanced = dynamic_cast<GChromalistEnhancedBody*>(target))
        enhanced->AssignOptions(source);
    else if (auto* base = dynamic_cast<GChromalistAttribute*>(target))
        base->AssignOptions(source);
    return Same(target, source);
}

} // namespace GChromalistCodes
