// Modules: shared libraries the project builds, loaded by their Windows
// names, with their DllMain, reference counts and resource data.
#include <dirent.h>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "winapi/WinKernel.h"
#include "winapi/WinModule.h"
#include "winapi/host/WinHostProcess.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/internal/WinPathMapper.h"
#include "winapi/internal/WinResourceLookup.h"
#include "winapi/internal/WinTextRules.h"

namespace {
std::atomic<bool> g_processEnding{false};

// The layer's exit handler: registered when the layer is loaded, before any
// module, so it runs after the exit handlers of everything loaded later.
struct ProcessEnd {
    ~ProcessEnd() { WinBeginProcessEnd(); }
} g_processEnd;

struct Module {
    std::string hostPath; // canonical
    std::u16string windowsName;
    std::u16string windowsPath;
    void* library = nullptr;
    link_map* map = nullptr;
    int references = 0;
    bool attached = false; // DllMain was told of the attach
    const WinModuleResources* resources = nullptr;
};

// The loader's own lock (as Windows has one): loads and frees run one at a
// time, DllMain included, without holding the store's lock.
std::recursive_mutex& LoaderLock() {
    static auto* lock = new std::recursive_mutex; // outlives static destructors
    return *lock;
}

std::map<std::string, Module*>& Loaded() {
    static auto* modules = new std::map<std::string, Module*>; // by canonical host path
    return *modules;
}

Module* ProcessModule() {
    static Module* process = [] {
        auto* module = new Module;
        module->library = dlopen(nullptr, RTLD_NOW);
        if (module->library != nullptr) dlinfo(module->library, RTLD_DI_LINKMAP, &module->map);
        module->references = 1;
        return module;
    }();
    return process;
}

Module* Find(HMODULE handle) {
    auto* module = reinterpret_cast<Module*>(handle);
    if (module == ProcessModule()) return module;
    for (const auto& entry : Loaded())
        if (entry.second == module) return module;
    return nullptr;
}

template <typename T> T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

std::u16string FileNamePart(std::u16string_view path) {
    const size_t cut = path.find_last_of(u"\\/");
    return std::u16string(cut == std::u16string_view::npos ? path : path.substr(cut + 1));
}

// Windows appends ".DLL" to a module name without an extension.
std::u16string WithExtension(std::u16string name) {
    if (name.find(u'.') == std::u16string::npos) name += u".DLL";
    if (!name.empty() && name.back() == u'.') name.pop_back(); // "NAME." means "no extension"
    return name;
}

bool IsFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string Canonical(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// A module file in a folder: the name itself, "name.so" or "libname.so",
// without regard to case.
std::string FindInFolder(const std::string& folder, std::u16string_view windowsName) {
    std::u16string stem(windowsName);
    const size_t dot = stem.rfind(u'.');
    if (dot != std::u16string::npos) stem.erase(dot);
    const std::u16string candidates[] = {WinText::Fold(windowsName), WinText::Fold(stem + u".so"),
                                         WinText::Fold(u"lib" + stem + u".so")};
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return {};
    std::string best;
    int bestRank = 3;
    while (dirent* entry = readdir(dir)) {
        const std::u16string name = WinText::Fold(WinText::FromUtf8(entry->d_name));
        for (int rank = 0; rank < bestRank; ++rank) {
            if (name != candidates[rank]) continue;
            const std::string path = folder + "/" + entry->d_name;
            if (!IsFile(path)) break;
            best = path;
            bestRank = rank;
            break;
        }
    }
    closedir(dir);
    return best;
}

struct Location {
    std::string hostPath;
    std::u16string windowsName;
    std::u16string windowsPath;
};

bool Locate(std::u16string_view fileName, Location& out) {
    WinHostStore& store = WinHostStore::Instance();
    std::lock_guard<std::recursive_mutex> hold(store.Mutex());
    const WinMachineState& state = store.State();
    out.windowsName = WithExtension(FileNamePart(fileName));
    const std::u16string systemFolder = state.systemRoot + u"\\System32\\";
    for (const WinModuleEntry& entry : state.modules) {
        if (!WinText::EqualNoCase(entry.windowsName, out.windowsName)) continue;
        out.hostPath = entry.hostPath;
        out.windowsPath = entry.windowsPath.empty() ? systemFolder + entry.windowsName : entry.windowsPath;
        return IsFile(out.hostPath);
    }
    if (fileName.find_first_of(u"\\/") != std::u16string_view::npos) {
        WinPathMapper mapper(state);
        std::u16string path(fileName);
        if (FileNamePart(path).find(u'.') == std::u16string::npos) path += u".DLL";
        if (!mapper.Map(path, out.hostPath) || !IsFile(out.hostPath)) return false;
        if (!mapper.Absolute(path, out.windowsPath)) out.windowsPath = path;
        return true;
    }
    for (const std::string& folder : state.moduleFolders) {
        out.hostPath = FindInFolder(folder, out.windowsName);
        if (out.hostPath.empty()) continue;
        out.windowsPath = systemFolder + out.windowsName;
        return true;
    }
    return false;
}

// A symbol the module itself defines (not one of a library it links).
void* OwnSymbol(const Module& module, const char* name) {
    if (module.library == nullptr) return nullptr;
    dlerror();
    void* symbol = dlsym(module.library, name);
    if (symbol == nullptr) return nullptr;
    Dl_info info;
    link_map* owner = nullptr;
    if (dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0 || owner != module.map)
        return nullptr;
    return symbol;
}

void ReadResources(Module& module) {
    auto proc = reinterpret_cast<WinModuleResourcesProc>(OwnSymbol(module, kWinModuleResourcesExport));
    const WinModuleResources* resources = proc != nullptr ? proc() : nullptr;
    module.resources =
        resources != nullptr && resources->formatVersion == kWinResourceFormatVersion ? resources : nullptr;
}

bool CallDllMain(Module& module, DWORD reason) {
    auto entry = reinterpret_cast<DllMainProc>(OwnSymbol(module, "DllMain"));
    if (entry == nullptr) return true;
    return entry(reinterpret_cast<HINSTANCE>(&module), reason, nullptr) != FALSE;
}

void Unload(Module* module) {
    Loaded().erase(module->hostPath);
    dlclose(module->library);
    delete module;
}

HMODULE Load(std::u16string_view fileName, bool dataOnly) {
    if (fileName.empty()) return Fail<HMODULE>(ERROR_INVALID_PARAMETER, nullptr);
    std::lock_guard<std::recursive_mutex> loader(LoaderLock());
    Location location;
    if (!Locate(fileName, location)) return Fail<HMODULE>(ERROR_MOD_NOT_FOUND, nullptr);
    const std::string canonical = Canonical(location.hostPath);
    Module* module = nullptr;
    auto found = Loaded().find(canonical);
    if (found != Loaded().end()) {
        module = found->second;
        ++module->references;
    } else {
        void* library = dlopen(canonical.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) return Fail<HMODULE>(ERROR_MOD_NOT_FOUND, nullptr);
        module = new Module;
        module->hostPath = canonical;
        module->windowsName = location.windowsName;
        module->windowsPath = location.windowsPath;
        module->library = library;
        dlinfo(library, RTLD_DI_LINKMAP, &module->map);
        module->references = 1;
        ReadResources(*module);
        Loaded().emplace(canonical, module);
    }
    if (dataOnly || module->attached) return reinterpret_cast<HMODULE>(module);
    module->attached = true;
    if (!CallDllMain(*module, DLL_PROCESS_ATTACH)) {
        // A refused attach is told of the detach and unloaded.
        CallDllMain(*module, DLL_PROCESS_DETACH);
        module->attached = false;
        if (--module->references == 0) Unload(module);
        return Fail<HMODULE>(ERROR_DLL_INIT_FAILED, nullptr);
    }
    return reinterpret_cast<HMODULE>(module);
}

DWORD CopyModulePath(const std::u16string& path, LPWSTR buffer, DWORD size) {
    if (buffer == nullptr && size > 0) return Fail<DWORD>(ERROR_INVALID_PARAMETER, 0);
    if (path.size() < size) {
        std::memcpy(buffer, path.data(), path.size() * sizeof(WCHAR));
        buffer[path.size()] = 0;
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(path.size());
    }
    if (size > 0) {
        std::memcpy(buffer, path.data(), (size - 1) * sizeof(WCHAR));
        buffer[size - 1] = 0;
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

std::u16string ModulePath(HMODULE handle, bool& ok) {
    std::lock_guard<std::recursive_mutex> loader(LoaderLock());
    ok = true;
    if (handle == nullptr || reinterpret_cast<Module*>(handle) == ProcessModule()) {
        WinHostStore& store = WinHostStore::Instance();
        std::lock_guard<std::recursive_mutex> hold(store.Mutex());
        return store.State().processPath;
    }
    Module* module = Find(handle);
    if (module == nullptr) {
        ok = false;
        return {};
    }
    return module->windowsPath;
}

const WinResourceString* FindString(HINSTANCE instance, UINT id) {
    const WinModuleResources* resources = ModuleResources(instance);
    if (resources == nullptr) return nullptr;
    for (UINT i = 0; i < resources->stringCount; ++i)
        if (resources->strings[i].id == id && resources->strings[i].text != nullptr)
            return &resources->strings[i];
    return nullptr;
}
} // namespace

HMODULE LoadLibraryW(LPCWSTR fileName) {
    return Load(WinText::View(fileName), false);
}

HMODULE LoadLibraryA(LPCSTR fileName) {
    return Load(WinText::FromAnsi(fileName), false);
}

HMODULE LoadLibraryExW(LPCWSTR fileName, HANDLE, DWORD flags) {
    return Load(WinText::View(fileName), (flags & LOAD_LIBRARY_AS_DATAFILE) != 0);
}

FARPROC GetProcAddress(HMODULE handle, LPCSTR procName) {
    std::lock_guard<std::recursive_mutex> loader(LoaderLock());
    Module* module = Find(handle);
    if (module == nullptr) return Fail<FARPROC>(ERROR_INVALID_HANDLE, nullptr);
    // Ordinals (values below 0x10000) name no entry of these modules.
    if (procName == nullptr || reinterpret_cast<uintptr_t>(procName) < 0x10000)
        return Fail<FARPROC>(ERROR_PROC_NOT_FOUND, nullptr);
    void* symbol = OwnSymbol(*module, procName);
    if (symbol == nullptr) return Fail<FARPROC>(ERROR_PROC_NOT_FOUND, nullptr);
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE handle) {
    std::lock_guard<std::recursive_mutex> loader(LoaderLock());
    Module* module = Find(handle);
    if (module == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (module == ProcessModule()) return TRUE;
    if (--module->references > 0) return TRUE;
    if (WinProcessEnding()) {
        // The process's end takes the module down, with its own statics.
        module->references = 0;
        return TRUE;
    }
    if (module->attached) CallDllMain(*module, DLL_PROCESS_DETACH);
    Unload(module);
    return TRUE;
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    std::lock_guard<std::recursive_mutex> loader(LoaderLock());
    if (moduleName == nullptr) return reinterpret_cast<HMODULE>(ProcessModule());
    const std::u16string name = WithExtension(FileNamePart(WinText::View(moduleName)));
    for (const auto& entry : Loaded())
        if (WinText::EqualNoCase(entry.second->windowsName, name))
            return reinterpret_cast<HMODULE>(entry.second);
    return Fail<HMODULE>(ERROR_MOD_NOT_FOUND, nullptr);
}

BOOL DisableThreadLibraryCalls(HMODULE handle) {
    // Thread attach and detach are never sent to modules here.
    std::lock_guard<std::recursive_mutex> loader(LoaderLock());
    return Find(handle) != nullptr ? TRUE : Fail(ERROR_INVALID_HANDLE, FALSE);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    bool ok = false;
    const std::u16string path = ModulePath(module, ok);
    if (!ok) return Fail<DWORD>(ERROR_MOD_NOT_FOUND, 0);
    return CopyModulePath(path, fileName, size);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    bool ok = false;
    const std::u16string path = ModulePath(module, ok);
    if (!ok) return Fail<DWORD>(ERROR_MOD_NOT_FOUND, 0);
    const std::string narrow = WinText::ToAnsi(path);
    if (fileName == nullptr && size > 0) return Fail<DWORD>(ERROR_INVALID_PARAMETER, 0);
    if (narrow.size() < size) {
        std::memcpy(fileName, narrow.c_str(), narrow.size() + 1);
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(narrow.size());
    }
    if (size > 0) {
        std::memcpy(fileName, narrow.data(), size - 1);
        fileName[size - 1] = 0;
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

const WinModuleResources* ModuleResources(HMODULE handle) {
    std::lock_guard<std::recursive_mutex> loader(LoaderLock());
    Module* module = Find(handle);
    return module != nullptr ? module->resources : nullptr;
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    if (buffer == nullptr) return Fail(ERROR_INVALID_PARAMETER, 0);
    const WinResourceString* entry = FindString(instance, id);
    if (entry == nullptr) {
        if (bufferMax > 0) buffer[0] = 0;
        return Fail(ERROR_RESOURCE_NAME_NOT_FOUND, 0);
    }
    const size_t length = WinText::Length(entry->text);
    if (bufferMax == 0) {
        // The caller gets a read-only pointer to the string itself.
        *reinterpret_cast<LPCWSTR*>(buffer) = entry->text;
        return static_cast<int>(length);
    }
    if (bufferMax < 0) return Fail(ERROR_INVALID_PARAMETER, 0);
    const size_t copied = std::min(length, static_cast<size_t>(bufferMax) - 1);
    std::memcpy(buffer, entry->text, copied * sizeof(WCHAR));
    buffer[copied] = 0;
    return static_cast<int>(copied);
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
    if (buffer == nullptr || bufferMax <= 0) return Fail(ERROR_INVALID_PARAMETER, 0);
    const WinResourceString* entry = FindString(instance, id);
    if (entry == nullptr) {
        buffer[0] = 0;
        return Fail(ERROR_RESOURCE_NAME_NOT_FOUND, 0);
    }
    const std::string narrow = WinText::ToAnsi(WinText::View(entry->text));
    const size_t copied = std::min(narrow.size(), static_cast<size_t>(bufferMax) - 1);
    std::memcpy(buffer, narrow.data(), copied);
    buffer[copied] = 0;
    return static_cast<int>(copied);
}

void WinBeginProcessEnd() {
    g_processEnding.store(true);
}

bool WinProcessEnding() {
    return g_processEnding.load();
}
