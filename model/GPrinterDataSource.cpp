#include "model/GPrinterDataSource.h"

GPrinterDataSource::GPrinterDataSource(GProvider* provider, GPrinterObjectBase* printer,
                                       const RWWString& printerName)
    : provider_(provider), printer_(printer), printerName_(printerName) {}

GPrinterDataSource::~GPrinterDataSource() = default;

const RWCString& GPrinterDataSource::GetText1() const {
    return text1_;
}

const RWCString& GPrinterDataSource::GetText2() const {
    return text2_;
}
