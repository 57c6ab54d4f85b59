#pragma once
// The interface of objects that stand for a printer (the printer identity
// derives from it): whether two of them are the same printer, and whether
// they use the same driver.
class GPrinterObjectBase {
public:
    GPrinterObjectBase() = default;
    GPrinterObjectBase(const GPrinterObjectBase&) = default;
    GPrinterObjectBase& operator=(const GPrinterObjectBase&) = default;
    virtual ~GPrinterObjectBase();

    // Non-zero when other stands for the same printer. The base knows no
    // printer: 0.
    virtual int IsSame(const GPrinterObjectBase* other) const;
    // Non-zero when other uses the same driver.
    virtual int IsSameDriver(const GPrinterObjectBase* other) const = 0;
};
