// The units that the scan calls, in their fixed order. A collector logs its
// entry line through this table; an entry without code is a collector whose
// unit is not part of the program yet.
#include "engine/uCore.h"
#include "engine/uDefineFiles.h"
#include "engine/uWindowsCollectors.h"

TScanParts DefaultScanParts() {
  TScanParts parts;
  parts.LoadCookieDefinitions = &LoadCookieDefinitions;
  parts.Collectors = {{
      {"Item cookies...", nullptr},
      {"Item IE cahce...", nullptr},
      {"Item recents...", &CollectRecents},
      {"Item user temps...", &CollectUserTemps},
      {"Item Windows updates...", &CollectWindowsUpdates},
      {"Item windows temps...", &CollectWindowsTemps},
      {"Item Windows updates orphan...", &CollectOrphanUpdates},
      {"Item IE updates...", nullptr},
      {"Item Prefetch...", &CollectPrefetch},
      {"Item custom defines...", nullptr},
      {"Item Outlook Express...", nullptr},
      {"Item FireFox...", nullptr},
      {"Item Flock...", nullptr},
      {"Item DB cache files...", &CollectDbCache},
      {"Item system junks...", &CollectSystemJunk},
  }};
  return parts;
}
