#pragma once
// What the Job Storage tab reads of its printer outside the settings: text
// values of the printer's data (the job number, the printer's unique id)
// and the user's choice of local job storage kept under the user's
// registry key of the printer.
#include <cstdint>
#include <optional>
#include <string>

class GUIModel;

namespace JobStoragePrinterData {

// The printer data value of the sheet's printer as text (REG_SZ, without
// its closing zero); nothing when the printer, the value or its text is
// missing.
std::optional<std::u16string> Text(GUIModel* model, const char16_t* valueName);
// HKEY_CURRENT_USER "Software\Quorvex\" + the printer's "PrinterUUID" +
// "\LocalJobStorageData", DWORD "LocalJobStorage"; nothing when missing or
// of another type or size, or when the printer has no unique id.
std::optional<uint32_t> LocalJobStorage(GUIModel* model);

} // namespace JobStoragePrinterData
