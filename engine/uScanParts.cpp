// The units that the scan calls, in their fixed order. A collector logs its
// entry line through this table.
#include "engine/uBrowserCollectors.h"
#include "engine/uCore.h"
#include "engine/uCustomDefine.h"
#include "engine/uDefineFiles.h"
#include "engine/uMailCollectors.h"
#include "engine/uWindowsCollectors.h"

namespace qlm {

TScanParts DefaultScanParts() {
  TScanParts parts;
  parts.LoadCookieDefinitions = &LoadCookieDefinitions;
  parts.Collectors = {{
      {"Item cookies...", &CollectCookies},
      {"Item IE cahce...", &CollectIeCache},
      {"Item recents...", &CollectRecents},
      {"Item user temps...", &CollectUserTemps},
      {"Item Windows updates...", &CollectWindowsUpdates},
      {"Item windows temps...", &CollectWindowsTemps},
      {"Item Windows updates orphan...", &CollectOrphanUpdates},
      {"Item IE updates...", &CollectIeUpdates},
      {"Item Prefetch...", &CollectPrefetch},
      {"Item custom defines...", &CollectCustomDefines},
      {"Item Outlook Express...", &CollectOutlookExpress},
      {"Item FireFox...", &CollectFirefox},
      {"Item Flock...", &CollectFlock},
      {"Item DB cache files...", &CollectDbCache},
      {"Item system junks...", &CollectSystemJunk},
  }};
  parts.CollectOutlook = &ScanOutlookFolders;
  parts.CollectHistory = &ScanHistoryLists;
  return parts;
}

}  // namespace qlm
