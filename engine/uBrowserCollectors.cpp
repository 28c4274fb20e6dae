#include "engine/uBrowserCollectors.h"

#include <string>

#include "engine/uCore.h"
#include "engine/uDirectRecords.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

namespace {

// What tells the Firefox and the Flock collector apart.
struct TMozillaBrowser {
  const char* SubPath;
  bool TCoreOptions::*Cache;
  bool TCoreOptions::*Cookies;
  int CacheCategory;
  int CookiesCategory;
};

constexpr TMozillaBrowser kFirefox = {"Mozilla\\Firefox\\", &TCoreOptions::FirefoxCache,
                                      &TCoreOptions::FirefoxCookies, OBJTYPE_FF_CACHE,
                                      OBJTYPE_FF_COOKIES};
constexpr TMozillaBrowser kFlock = {"Flock\\Browser\\", &TCoreOptions::FlockCache,
                                    &TCoreOptions::FlockCookies, OBJTYPE_FLOCK_CACHE,
                                    OBJTYPE_FLOCK_COOKIES};

// The profile's folder as the library gives it, already closed by a
// backslash; empty when it cannot give one.
std::string ProfileFolder(MiscProfileFolderFn slot, MiscProfiles profiles, int index) {
  char buffer[MISC_PROFILE_BUFFER] = {};
  int length = 0;
  if (!slot(profiles, index, buffer, &length, MISC_PROFILE_BUFFER)) return std::string();
  return MiscText(buffer, length);
}

// Releases a profile list on every way out.
class TProfileList {
 public:
  explicit TProfileList(const char* subPath) : fHandle(Misc->OpenProfiles(subPath)) {}
  ~TProfileList() {
    if (fHandle != 0) Misc->CloseProfiles(&fHandle);
  }
  TProfileList(const TProfileList&) = delete;
  TProfileList& operator=(const TProfileList&) = delete;
  MiscProfiles Get() const { return fHandle; }

 private:
  MiscProfiles fHandle;
};

void CollectMozilla(TCore& core, const TMozillaBrowser& browser) {
  const TCoreOptions& chosen = core.Options().Core;
  if (Misc == nullptr || !(chosen.*browser.Cache || chosen.*browser.Cookies)) return;
  const TProfileList profiles(browser.SubPath);
  if (profiles.Get() == 0) return;
  const int count = Misc->ProfileCount(profiles.Get());
  for (int index = 0; index < count; ++index) {
    // Read at every profile: the cookie definitions may have switched the
    // cookie category off for this scan.
    const TCoreOptions& options = core.Options().Core;
    const std::string profile = "Profile" + std::to_string(index);
    if (options.*browser.Cache) {
      const std::string folder = ProfileFolder(Misc->ProfileCacheFolder, profiles.Get(), index);
      if (!folder.empty()) {
        AddFolderItem(core, folder, "*", false, browser.CacheCategory, profile + " Cache: ADD");
      }
    }
    if (options.*browser.Cookies) {
      const std::string folder = ProfileFolder(Misc->ProfileCookiesFolder, profiles.Get(), index);
      if (!folder.empty()) {
        AddFolderItem(core, folder, "cookies.txt", false, browser.CookiesCategory,
                      profile + " Cookies: ADD");
      }
    }
  }
}

}  // namespace

void CollectCookies(TCore& core) {
  const TCOCookies& cookies = core.Options().Core.Cookies;
  if (!cookies.Enabled) return;
  AddFolderItem(core, core.PathCookies(), cookies.IndexDat ? "*@*.txt|index.dat" : "*@*.txt", false,
                OBJTYPE_COOKIES, "Item cookies: ADD");
}

void CollectIeCache(TCore& core) {
  const TCoreOptions& options = core.Options().Core;
  if (!options.IeCache) return;
  TFolderItem& item =
      AddFolderItem(core, core.PathIeCache(), "*", true, OBJTYPE_IE_CACHE, "Item IE Cache: ADD");
  item.ExcludeMasks =
      SplitDelimited(options.IeIndexDat ? "desktop.ini" : "desktop.ini|index.dat", '|');
  item.FolderExclude = SplitDelimited("*\\AntiPhishing\\", '|');
}

void CollectIeUpdates(TCore& core) {
  if (!core.Options().Core.IeUpdates) return;
  const std::string windows = core.PathWindows();
  // Without the Windows folder the subfolders would name folders relative
  // to whatever the current folder is.
  if (windows.empty()) return;
  AddFolderItem(core, windows + "ie7updates\\", "KB*", false, OBJTYPE_IE_UPDATES,
                "Item IE 7 updates: ADD");
  AddFolderItem(core, windows + "ie8updates\\", "KB*", false, OBJTYPE_IE_UPDATES,
                "Item IE 8 updates: ADD");
}

void CollectFirefox(TCore& core) { CollectMozilla(core, kFirefox); }

void CollectFlock(TCore& core) { CollectMozilla(core, kFlock); }

void ScanHistoryLists(TCore& core) {
  if (core.IsStopped()) return;
  const TCoreOptions& options = core.Options().Core;
  if (options.IeHistory) {
    core.Log(LVL_DEBUG, "Scanning IE History");
    AddTotalsRecord(core, "Internet Explorer History", OBJTYPE_IE_HISTORY,
                    "Internet Explorer History", [](std::int64_t* count, std::int64_t* size) {
                      return Misc != nullptr && Misc->IeHistoryTotals(count, size);
                    });
  }
  if (options.AddrBarUrls) {
    core.Log(LVL_DEBUG, "Scanning IE Address Bar History");
    AddTotalsRecord(core, "Internet Explorer Address Bar History", OBJTYPE_IE_ADDRBAR,
                    "Internet Explorer Address Bar History",
                    [](std::int64_t* count, std::int64_t* size) {
                      return Misc != nullptr && Misc->AddressBarTotals(count, size);
                    });
  }
  if (options.Mru) {
    AddTotalsRecord(core, "MRU History", OBJTYPE_MRU, "MRU History",
                    [](std::int64_t* count, std::int64_t* size) {
                      return Misc != nullptr && Misc->MruTotals(count, size);
                    });
  }
}
