// The spooler stand-in. It loads the module as the spooler would and drives
// it through its exports by name.
#include <dlfcn.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const std::string module = argc > 1 ? argv[1] : "./libqvui.so";
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        std::fprintf(stderr, "qvhost: cannot load %s: %s\n", module.c_str(), dlerror());
        return 1;
    }
    const char* exports[] = {"DrvDocumentPropertySheets", "DrvDeviceCapabilities", "DrvConvertDevMode",
                             "DrvDocumentEvent", "DllMain"};
    int found = 0;
    for (const char* name : exports) {
        const bool present = dlsym(handle, name) != nullptr;
        found += present ? 1 : 0;
        std::printf("%-28s %s\n", name, present ? "exported" : "not built yet");
    }
    std::printf("qvhost: module %s loaded; %d of %zu printer-interface exports present.\n", module.c_str(),
                found, sizeof exports / sizeof exports[0]);
    if (found == 0) std::printf("qvhost: no job can be driven until the exports are built.\n");
    dlclose(handle);
    return 0;
}
