#pragma once
// The print-quality controls of the Finishing tab: the preset radios and
// the "Details..." button with the Print Quality Details dialog of the
// printer's language (9000 for PCL XL and PCL 5, 13000 for PostScript).
#include <cstdint>
#include <memory>

class GModalDialog;
class GPropertyPage;
class GUIModel;
class MPersistentObject;

// Adds the preset radios (3031-3033) and the Details button (3034), in this
// order. A printer whose language has no Details dialog gets the button
// without one: it stays disabled.
void AddPrintQualityControls(GPropertyPage& page, GUIModel* model, MPersistentObject* printerConfiguration);

// The Details dialog for a writer kind (GetWriterKind) with its controls;
// null for a kind that has none.
std::unique_ptr<GModalDialog> BuildPrintQualityDetails(GUIModel* model, uint16_t writerKind);
