#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"

namespace qlm {

std::span<const TPageSpec> MainPages() {
  static const TPageSpec kPages[] = {
      {"pDefault", ID_pDefault, COLOR_FORM, 0, DefaultPageLayout()},
      {"pRunning", ID_pRunning, COLOR_FORM, 0, RunningPageLayout()},
      {"pSettings", ID_pSettings, COLOR_WHITE, 0, SettingsPageLayout()},
      {"pScanOptions", ID_pScanOptions, COLOR_FORM, 1100, ScanOptionsPageLayout()},
      {"pMainOptions", ID_pMainOptions, COLOR_FORM, 520, MainOptionsPageLayout()},
      {"pAppsOptions", ID_pAppsOptions, COLOR_FORM, 0, AppsOptionsPageLayout()},
  };
  return kPages;
}

}  // namespace qlm
