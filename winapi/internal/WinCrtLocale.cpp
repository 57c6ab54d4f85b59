// The C runtime's locale categories of the simulated process.
#include "winapi/WinCrtLocale.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "winapi/host/WinHostProcess.h"
#include "winapi/host/WinHostStore.h"

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;

constexpr const char* kCategoryNames[] = {"LC_ALL",      "LC_COLLATE", "LC_CTYPE",
                                          "LC_MONETARY", "LC_NUMERIC", "LC_TIME"};
// The largest code page number the layer accepts in ".<number>".
constexpr unsigned long kMaxCodePage = 65535;

std::string Name(UINT codePage) {
    return codePage == 0 ? std::string("C") : "." + std::to_string(codePage);
}

// The code page locale names (0 for "C"); false for a name it does not know.
bool Resolve(const WinMachineState& state, const char* locale, UINT& codePage) {
    if (std::strcmp(locale, "C") == 0) {
        codePage = 0;
        return true;
    }
    if (std::strcmp(locale, ".ACP") == 0 || locale[0] == 0) {
        codePage = state.ansiCodePage;
        return true;
    }
    if (std::strcmp(locale, ".OCP") == 0) {
        codePage = state.oemCodePage;
        return true;
    }
    if (locale[0] != '.' || locale[1] < '0' || locale[1] > '9') return false;
    char* end = nullptr;
    const unsigned long number = std::strtoul(locale + 1, &end, 10);
    if (*end != 0 || number == 0 || number > kMaxCodePage) return false;
    codePage = static_cast<UINT>(number);
    return true;
}

std::string Describe(const WinMachineState& state, int category) {
    if (category != CRT_LC_ALL) return Name(state.crtLocaleCodePages[category]);
    bool same = true;
    for (int c = CRT_LC_COLLATE + 1; c <= CRT_LC_MAX; ++c)
        same = same && state.crtLocaleCodePages[c] == state.crtLocaleCodePages[CRT_LC_COLLATE];
    if (same) return Name(state.crtLocaleCodePages[CRT_LC_COLLATE]);
    std::string text;
    for (int c = CRT_LC_COLLATE; c <= CRT_LC_MAX; ++c) {
        if (!text.empty()) text += ';';
        text += std::string(kCategoryNames[c]) + "=" + Name(state.crtLocaleCodePages[c]);
    }
    return text;
}

thread_local std::string t_answer;
} // namespace

const char* CrtSetLocale(int category, const char* locale) {
    if (category < CRT_LC_ALL || category > CRT_LC_MAX) return nullptr;
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    WinMachineState& state = store.State();
    if (locale != nullptr) {
        UINT codePage = 0;
        if (!Resolve(state, locale, codePage)) return nullptr;
        if (category == CRT_LC_ALL) {
            for (int c = CRT_LC_COLLATE; c <= CRT_LC_MAX; ++c)
                state.crtLocaleCodePages[c] = codePage;
        } else {
            state.crtLocaleCodePages[category] = codePage;
        }
    }
    t_answer = Describe(state, category);
    return t_answer.c_str();
}

UINT CrtLocaleCodePage(int category) {
    if (category <= CRT_LC_ALL || category > CRT_LC_MAX) return 0;
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    return store.State().crtLocaleCodePages[category];
}
