// Job-storage lines: hold, proof, store, and the stored job's names.
#include "device/GPJL.h"
#include "job/GDocumentStart.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include <algorithm>

namespace {

std::string Narrow(const RWCString& text) {
    return std::string(text.Data(), text.Length());
}

} // namespace

bool GPJL::WriteJobStorage(std::string& text, GAttributeComposite& group, GDocumentStart& command) {
    const GValueAttribute* modeSetting = FindValue(&group, 287);
    if (modeSetting == nullptr) return false;
    const int mode = static_cast<int16_t>(modeSetting->GetValue());
    if (mode < 0) return true;
    const GValueAttribute* utf8Setting = FindValue(&group, 1027);
    const bool utf8 = utf8Setting != nullptr && utf8Setting->GetValue() != 0;
    const GValueAttribute* userSource = FindValue(&group, 1034);
    const GStringAttribute* comment = FindString(&group, 975);
    std::string user;
    if (userSource != nullptr && userSource->GetValue() == 0 && comment != nullptr) {
        user = Narrow(comment->GetValue());
        if (utf8) user = ToPJLString(user, 0);
    } else if (const GStringAttribute* login = FindString(&group, 440)) {
        user = Narrow(login->GetValue());
    }
    std::string job;
    if (const GStringAttribute* name = FindString(&group, 282)) {
        job = Narrow(name->GetValue());
        const GValueAttribute* fromCommand = FindValue(&group, 1035);
        if (fromCommand != nullptr && fromCommand->GetValue() == 0 && command.GetJobName().Length() != 0)
            job = Narrow(command.GetJobName());
    }
    if (utf8 && mode != 0) AppendSetLine(text, "STRINGCODESET=UTF8");
    // Every name ends up between quotes, so each must pass the quoting rule
    // (UTF-8 bytes do: they are all 128 and above).
    if (user.empty() || !IsPJLQuotable(user)) user = "?";
    if (!IsPJLQuotable(job)) job.clear();
    std::string pin;
    if (const GStringAttribute* key = FindString(&group, 284)) pin = Narrow(key->GetValue());
    if (!IsPJLQuotable(pin)) pin.clear();
    const GValueAttribute* privateJob = FindValue(&group, 290);
    const std::string holdKey = "HOLDKEY=\"" + pin + "\"";
    switch (mode) {
    case 1:
        AppendSetLine(text, "HOLD=ON");
        AppendSetLine(text, "HOLDTYPE=PUBLIC");
        break;
    case 2:
        AppendSetLine(text, "HOLD=PROOF");
        break;
    case 3:
        AppendSetLine(text, "HOLD=STORE");
        if (privateJob != nullptr && privateJob->GetValue() != 0) {
            AppendSetLine(text, "HOLDTYPE=PRIVATE");
            AppendSetLine(text, holdKey);
        }
        break;
    case 4:
        AppendSetLine(text, "HOLD=ON");
        AppendSetLine(text, "HOLDTYPE=PRIVATE");
        AppendSetLine(text, holdKey);
        break;
    default:
        AppendSetLine(text, "HOLD=OFF");
        return true;
    }
    AppendSetLine(text, "USERNAME=\"" + user + "\"");
    AppendSetLine(text, "JOBNAME=\"" + job + "\"");
    return true;
}

namespace {

// Strict UTF-8 of a UTF-16 unit sequence: an unpaired surrogate ends the
// conversion, keeping what was converted before it.
std::string EncodeUtf8(const char16_t* units, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        uint32_t code = units[i];
        if (code >= 0xDC00 && code <= 0xDFFF) break;
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 1 >= count || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) break;
            code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

} // namespace

std::string GPJL::ToPJLString(const std::string& text, uint32_t /*unused*/) {
    // At most 16 UTF-16 units are kept, so the result holds at most 48 bytes.
    constexpr size_t kUnits = 16;
    RWWString wide;
    if (!RWWString::FromMultiByte(text.data(), text.size(), wide)) return std::string();
    return EncodeUtf8(wide.Data(), std::min<size_t>(wide.Length(), kUnits));
}
