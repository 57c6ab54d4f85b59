#pragma once
// The host store of one folder: "store.sqlite" in it, attached to the
// process's host store. A folder without a store (created when missing)
// gets a fresh machine with the model printers' drivers; its printers are
// installed once the module is loaded (host/HostPrinterInstaller.h), and
// the store's file is written when they are. Every open points the model
// drivers at the data files of the printers folder given, so a store
// outlives a rebuild in another tree.
#include <string>

#include "host/HostModelPrinter.h"

class HostStoreSetup {
public:
    // The environment the model drivers are installed for.
    static constexpr const char16_t* kEnvironment = u"Windows NT x86";

    // False with a message when the folder or its store cannot be used, or
    // a model printer's data file is missing from the printers folder.
    // fresh: the folder had no store, and the machine has no printers yet.
    static bool Open(const std::string& folder, const std::string& printersFolder,
                     const std::string& modulePath, bool& fresh, std::string& error);
    // False with a message when the store cannot be written.
    static bool Save(std::string& error);

    // The record of a printer of the model's driver, not yet initialised by
    // the driver; false with a message when the name is taken or empty.
    static bool AddPrinter(const std::u16string& name, const HostModelPrinter& model, std::string& error);

    // The Windows form of a host path ("/a/b" -> "C:\a\b"): drive C: is the
    // host's root.
    static std::u16string WindowsPath(const std::string& hostPath);

private:
    static void AddModelDrivers(const std::string& printersFolder, const std::string& modulePath);
};
