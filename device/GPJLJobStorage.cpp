// Job-storage lines: hold, proof, store, and the stored job's names.
#include "device/GPJL.h"
#include "driver/GUnicodeConverter.h"
#include "driver/GetUnicodeConverter.h"
#include "job/ConvertUtf16ToUtf8.h"
#include "job/GDocumentStart.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

std::string BytesOf(const RWCString& text) {
    return std::string(text.Data(), text.Length());
}

} // namespace

bool GPJL::WriteJobStorage(std::string& text, GAttributeComposite& group, GDocumentStart& command) {
    const GValueAttribute* modeSetting = FindValue(&group, GSettingId::kJobRetention);
    if (modeSetting == nullptr) return false;
    const int mode = static_cast<int16_t>(modeSetting->GetValue());
    if (mode < 0) return true;
    const GValueAttribute* utf8Setting = FindValue(&group, GSettingId::kNameCleaning);
    const bool utf8 = utf8Setting != nullptr && utf8Setting->GetValue() != 0;
    const GValueAttribute* userSource = FindValue(&group, GSettingId::kUserNameSource);
    const GStringAttribute* comment = FindString(&group, GSettingId::kJobUserName);
    std::string user;
    if (userSource != nullptr && userSource->GetValue() == 0 && comment != nullptr) {
        user = BytesOf(comment->GetValue());
        if (utf8) user = ToPJLString(user, 0);
    } else if (const GStringAttribute* login = FindString(&group, GSettingId::kStoredJobUserName)) {
        user = BytesOf(login->GetValue());
    }
    std::string job;
    if (const GStringAttribute* name = FindString(&group, GSettingId::kStoredJobName)) {
        job = BytesOf(name->GetValue());
        const GValueAttribute* fromCommand = FindValue(&group, GSettingId::kJobNameSource);
        if (fromCommand != nullptr && fromCommand->GetValue() == 0 && command.GetJobName().Length() != 0)
            job = BytesOf(command.GetJobName());
    }
    if (utf8 && mode != 0) AppendSetLine(text, "STRINGCODESET=UTF8");
    // Every name ends up between quotes, so each must pass the quoting rule
    // (UTF-8 bytes do: they are all 128 and above).
    if (user.empty() || !IsPJLQuotable(user)) user = "?";
    if (!IsPJLQuotable(job)) job.clear();
    std::string pin;
    if (const GStringAttribute* key = FindString(&group, GSettingId::kJobPin)) pin = BytesOf(key->GetValue());
    if (!IsPJLQuotable(pin)) pin.clear();
    const GValueAttribute* privateJob = FindValue(&group, GSettingId::kPrivateJob);
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

std::string GPJL::ToPJLString(const std::string& text, uint32_t /*unused*/) {
    // At most 16 UTF-16 units are kept (a pair never cut), and 16 units give
    // at most 48 UTF-8 bytes.
    constexpr int32_t kUnits = 16;
    constexpr size_t kBytes = 48;
    GUnicodeConverter* converter = GetUnicodeConverter();
    if (converter == nullptr || text.empty()) return std::string();
    WCHAR wide[kUnits];
    const int32_t length = static_cast<int32_t>(std::min<size_t>(text.size(), INT32_MAX));
    const int32_t units = converter->NarrowToWide(0, text.data(), length, wide, kUnits);
    if (units <= 0) return std::string();
    uint8_t bytes[kBytes];
    const WCHAR* source = wide;
    uint8_t* target = bytes;
    // An unpaired surrogate stops the conversion; what came before it stays.
    ConvertUtf16ToUtf8(&source, wide + units, &target, bytes + kBytes, 1);
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(target - bytes));
}
