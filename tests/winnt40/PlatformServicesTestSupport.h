#pragma once
// What the platform-services tests share: a fixture over a fresh host store
// with one printer, a driver context double, and a factory double that
// lends its printer-data operations the handle a test opened (the driver
// instance will give it once it exists).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/GDriverContext.h"
#include "model/GAttributeComposite.h"
#include "model/GCountedPtr.h"
#include "model/MPersistentObject.h"
#include "tests/driver/NeutralDriverContext.h"
#include "winapi/WinHandle.h"
#include "winapi/WinReg.h"
#include "winapi/WinSpool.h"
#include "winapi/host/WinHostStore.h"
#include "winnt40/GNT40OSFactory.h"

namespace platformtest {

inline constexpr const char16_t* kPrinter = u"QV Colour Laser";
inline constexpr const char16_t* kPort = u"LPT1:";
inline constexpr const char16_t* kDriver = u"QV Colour Laser Driver";
inline constexpr const char16_t* kPrinterDataPath =
    u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\QV Colour Laser\\PrinterDriverData";

// A value as the registry holds it, or nothing.
inline std::optional<WinRegistryValue> RegistryValue(HKEY root, std::u16string_view path,
                                                     std::u16string_view name) {
    auto key = WinHostStore::Instance().FindRegistryKey(root, path);
    const WinRegistryValue* value = key != nullptr ? key->FindValue(name) : nullptr;
    if (value == nullptr) return std::nullopt;
    return *value;
}

// kPrinter's printer-data value, or nothing.
inline std::optional<WinRegistryValue> PrinterDataValue(std::u16string_view name) {
    return RegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, name);
}

inline std::vector<BYTE> LittleEndianDword(uint32_t value) {
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
            static_cast<BYTE>(value >> 24)};
}

// A context naming a printer; its printer configuration is whatever the test
// gives it.
class TestDriverContext : public NeutralDriverContext {
public:
    explicit TestDriverContext(const RWWString& printer = kPrinter, const RWWString& port = kPort)
        : GDriverContext(printer, kDriver, port), NeutralDriverContext(printer, kDriver, port) {}

    MPersistentObject* GetPrinterConfiguration() override { return printerConfiguration_.Get(); }
    void SetPrinterConfiguration(MPersistentObject* configuration) {
        printerConfiguration_.Reset(configuration);
    }

private:
    GCountedPtr printerConfiguration_;
};

// The module's factory, with the printer handle of a test.
class TestFactory : public GNT40OSFactory {
public:
    HANDLE GetPrinterHandle(GDriverContext*) override { return printer; }
    HANDLE printer = nullptr;
};

// A fresh machine with the printer kPrinter (driver kDriver, port kPort).
class HostStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore& store = WinHostStore::Instance();
        store.Reset();
        WinPrinterRecord printer;
        printer.name = kPrinter;
        printer.portName = kPort;
        printer.driverName = kDriver;
        store.AddPrinter(printer);
    }

    void TearDown() override { WinHostStore::Instance().Reset(); }

    // Opens kPrinter with full access and lends the handle to factory.
    void LendPrinterHandle(TestFactory& factory) {
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), printer_.Receive(), &defaults));
        factory.printer = printer_.Get();
    }

    static std::optional<WinRegistryValue> Value(HKEY root, std::u16string_view path,
                                                 std::u16string_view name) {
        return RegistryValue(root, path, name);
    }
    static std::optional<WinRegistryValue> PrinterData(std::u16string_view name) {
        return PrinterDataValue(name);
    }
    static std::vector<BYTE> DwordBytes(uint32_t value) { return LittleEndianDword(value); }

    // UTF-16LE bytes of text, with a terminating NUL when asked.
    static std::vector<BYTE> TextBytes(std::u16string_view text, bool terminated) {
        std::vector<BYTE> bytes;
        for (char16_t c : text) {
            bytes.push_back(static_cast<BYTE>(c));
            bytes.push_back(static_cast<BYTE>(c >> 8));
        }
        if (terminated) bytes.insert(bytes.end(), {0, 0});
        return bytes;
    }

    TestDriverContext context_;

private:
    WinScopedPrinter printer_;
};

} // namespace platformtest
