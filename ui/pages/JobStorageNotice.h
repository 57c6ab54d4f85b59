#pragma once
// The job-storage identification notice as a sheet's block asks for it
// (UI_INITIALIZE's notice mode): dialog 11540 with where and under which
// names the job is stored. Ticking "In the future, do not show this
// information" stores the printer-data value "DontShowJobName" = 1 and
// tells the driver instance; the instance hears of it only when the value
// was written.
#include <cstdint>

class GDriverContext;
class GUIModel;
struct GUIData;

namespace JobStorageNotice {

inline constexpr uint16_t kDialogId = 11540;
inline constexpr char16_t kDontShowValueName[] = u"DontShowJobName";

// Shows the notice for the block's printer with the sheet's UI model (its
// current settings give the user name, its help file the Help button's),
// owned by the desktop's top window; the resource library at
// resourcePath holds the template.
void Show(GUIData& data, GUIModel& model, const char16_t* resourcePath);
// Writes "DontShowJobName" = 1 as REG_DWORD: through the platform
// services, else on the printer opened by name with full access. True
// when one of them wrote it.
bool WriteDontShow(GDriverContext& context);

} // namespace JobStorageNotice
