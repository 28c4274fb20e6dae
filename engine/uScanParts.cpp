// The units that the scan calls, in their fixed order. A collector logs its
// entry line through this table; an entry without code is a collector whose
// unit is not part of the program yet.
#include "engine/uCore.h"

TScanParts DefaultScanParts() {
  TScanParts parts;
  parts.Collectors = {{
      {"Item cookies...", nullptr},
      {"Item IE cahce...", nullptr},
      {"Item recents...", nullptr},
      {"Item user temps...", nullptr},
      {"Item Windows updates...", nullptr},
      {"Item windows temps...", nullptr},
      {"Item Windows updates orphan...", nullptr},
      {"Item IE updates...", nullptr},
      {"Item Prefetch...", nullptr},
      {"Item custom defines...", nullptr},
      {"Item Outlook Express...", nullptr},
      {"Item FireFox...", nullptr},
      {"Item Flock...", nullptr},
      {"Item DB cache files...", nullptr},
      {"Item system junks...", nullptr},
  }};
  return parts;
}
