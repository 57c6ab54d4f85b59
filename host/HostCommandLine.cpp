#include "host/HostCommandLine.h"

#include <string_view>

namespace {

// The options taking a value and where it goes.
std::string* ValueSlot(std::string_view name, HostOptions& options) {
    if (name == "store") return &options.storeFolder;
    if (name == "module") return &options.modulePath;
    if (name == "printers") return &options.printersFolder;
    if (name == "model") return &options.model;
    if (name == "in") return &options.inFile;
    if (name == "out") return &options.outFile;
    if (name == "script") return &options.scriptFile;
    if (name == "png") return &options.pngFolder;
    if (name == "mode") return &options.mode;
    if (name == "pages") return &options.pages;
    return nullptr;
}

bool* FlagSlot(std::string_view name, HostOptions& options) {
    if (name == "json") return &options.json;
    if (name == "device") return &options.device;
    if (name == "help") return &options.help;
    return nullptr;
}

bool TakeSet(const std::string& text, HostOptions& options, std::string& error) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        error = "--set wants FIELD=VALUE, not \"" + text + "\"";
        return false;
    }
    options.sets.emplace_back(text.substr(0, equals), text.substr(equals + 1));
    return true;
}

} // namespace

bool HostCommandLine::Parse(int argc, const char* const* argv, HostOptions& options, std::string& error) {
    options = HostOptions{};
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i] == nullptr ? "" : argv[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            if (options.command.empty())
                options.command = word;
            else
                options.arguments.push_back(word);
            continue;
        }
        std::string name = word.substr(2);
        std::string value;
        const size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (bool* flag = FlagSlot(name, options)) {
            if (inlineValue) {
                error = "--" + name + " takes no value";
                return false;
            }
            *flag = true;
            continue;
        }
        std::string* slot = ValueSlot(name, options);
        if (slot == nullptr && name != "set") {
            error = "unknown option --" + name;
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= argc || argv[i + 1] == nullptr) {
                error = "--" + name + " wants a value";
                return false;
            }
            value = argv[++i];
        }
        if (slot == nullptr) {
            if (!TakeSet(value, options, error)) return false;
            continue;
        }
        if (value.empty()) {
            error = "--" + name + " wants a value";
            return false;
        }
        *slot = value;
    }
    return true;
}

std::string HostCommandLine::Usage() {
    return "usage: qvhost [--store DIR] [--module FILE] [--printers DIR] [--json] COMMAND ...\n"
           "commands:\n"
           "  printers                                  list the store's printers\n"
           "  add-printer NAME --model MODEL            add a printer of a model printer (qvcolor,\n"
           "                                            qvmono, qvcolorps), initialised by its driver\n"
           "                                            (DrvPrinterEvent)\n"
           "  caps PRINTER CODE                         DrvDeviceCapabilities (DC_PAPERS, ... or a number)\n"
           "  devmode PRINTER [--out FILE]              the default DEVMODE (DrvDocumentProperties)\n"
           "  convert PRINTER [--in FILE] --out FILE [--mode convert|convert351|driver-default]\n"
           "                                            DrvConvertDevMode\n"
           "  props PRINTER --in FILE [--set FIELD=VALUE ...] --out FILE\n"
           "                                            DrvDocumentProperties, in and out buffers\n"
           "  sheet PRINTER [--device] --script FILE --out FILE [--in FILE] [--png DIR]\n"
           "                                            a property sheet played from a script\n"
           "  job PRINTER [--pages N]                   a document's events (DrvDocumentEvent) and the\n"
           "                                            private escapes they send, on a printer DC\n"
           "The store folder is created when missing, with one printer of each model printer.\n";
}
