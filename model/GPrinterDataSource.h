#pragma once
// An abstract source of printer data for one printer: made by a provider
// for one query over the printer's configuration. The provider and the
// printer object are not owned; they outlive the source.
#include <cstdint>

#include "rw/RWCString.h"
#include "rw/RWWString.h"

class GProvider;
class GPrinterObjectBase;
class MPersistentObject;

class GPrinterDataSource {
public:
    // Keeps the three values; both texts empty.
    GPrinterDataSource(GProvider* provider, GPrinterObjectBase* printer, const RWWString& printerName);
    GPrinterDataSource(const GPrinterDataSource&) = delete;
    GPrinterDataSource& operator=(const GPrinterDataSource&) = delete;
    virtual ~GPrinterDataSource();

    // Non-zero when the source knows the printer's model name.
    virtual int HasModelName() const = 0;
    virtual const RWCString& GetText1() const;
    virtual const RWCString& GetText2() const;
    // Runs one query over the settings under root with the given update
    // flag; the query's status (0 success).
    virtual uint16_t Query(MPersistentObject* root, uint32_t updateFlag) = 0;

    GProvider* GetProvider() const { return provider_; }
    GPrinterObjectBase* GetPrinter() const { return printer_; }
    const RWWString& GetPrinterName() const { return printerName_; }

protected:
    void SetText1(const RWCString& text) { text1_ = text; }
    void SetText2(const RWCString& text) { text2_ = text; }

private:
    GProvider* provider_;
    GPrinterObjectBase* printer_;
    RWWString printerName_;
    RWCString text1_;
    RWCString text2_;
};
