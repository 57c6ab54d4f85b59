#pragma once
// Where a printer lives in the machine hive: the path of its own key
// ("SYSTEM\CurrentControlSet\Control\Print\Printers\<P>"; a backslash in the
// printer name becomes a comma, as Windows keeps connections). Its printer
// data is the "PrinterDriverData" subkey, so the registry and the spooler
// see the same values.
#include <string>
#include <string_view>

std::u16string PrinterKeyPath(std::u16string_view printerName);
