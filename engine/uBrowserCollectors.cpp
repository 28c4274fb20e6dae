#include "engine/uBrowserCollectors.h"

#include <string>

#include "engine/uDirectRecords.h"
#include "engine/uScanContext.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

namespace qlm {

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

void CollectMozilla(TScanContext& scan, const TMozillaBrowser& browser) {
  const TCoreOptions& chosen = scan.Options().Core;
  if (Misc == nullptr || !(chosen.*browser.Cache || chosen.*browser.Cookies)) return;
  const TProfileList profiles(browser.SubPath);
  if (profiles.Get() == 0) return;
  const int count = Misc->ProfileCount(profiles.Get());
  for (int index = 0; index < count; ++index) {
    // Read at every profile: the cookie definitions may have switched the
    // cookie category off for this scan.
    const TCoreOptions& options = scan.Options().Core;
    const std::string profile = "Profile" + std::to_string(index);
    if (options.*browser.Cache) {
      const std::string folder = ProfileFolder(Misc->ProfileCacheFolder, profiles.Get(), index);
      AddFolderItem(scan, folder, "", "*", false, browser.CacheCategory, profile + " Cache: ADD");
    }
    if (options.*browser.Cookies) {
      const std::string folder = ProfileFolder(Misc->ProfileCookiesFolder, profiles.Get(), index);
      AddFolderItem(scan, folder, "", "cookies.txt", false, browser.CookiesCategory,
                    profile + " Cookies: ADD");
    }
  }
}

}  // namespace

void CollectCookies(TScanContext& scan) {
  const TCOCookies& cookies = scan.Options().Core.Cookies;
  if (!cookies.Enabled) return;
  AddFolderItem(scan, SpecialFolder(&IMisc::PathCookies), "",
                cookies.IndexDat ? "*@*.txt|index.dat" : "*@*.txt", false, OBJTYPE_COOKIES,
                "Item cookies: ADD");
}

void CollectIeCache(TScanContext& scan) {
  const TCoreOptions& options = scan.Options().Core;
  if (!options.IeCache) return;
  TFolderItem* item = AddFolderItem(scan, SpecialFolder(&IMisc::PathIeCache), "", "*", true,
                                    OBJTYPE_IE_CACHE, "Item IE Cache: ADD");
  if (item == nullptr) return;
  item->ExcludeMasks =
      SplitDelimited(options.IeIndexDat ? "desktop.ini" : "desktop.ini|index.dat", '|');
  item->FolderExclude = SplitDelimited("*\\AntiPhishing\\", '|');
}

void CollectIeUpdates(TScanContext& scan) {
  if (!scan.Options().Core.IeUpdates) return;
  const std::string windows = SpecialFolder(&IMisc::PathWindows);
  AddFolderItem(scan, windows, "ie7updates\\", "KB*", false, OBJTYPE_IE_UPDATES,
                "Item IE 7 updates: ADD");
  AddFolderItem(scan, windows, "ie8updates\\", "KB*", false, OBJTYPE_IE_UPDATES,
                "Item IE 8 updates: ADD");
}

void CollectFirefox(TScanContext& scan) { CollectMozilla(scan, kFirefox); }

void CollectFlock(TScanContext& scan) { CollectMozilla(scan, kFlock); }

void ScanHistoryLists(TScanContext& scan) {
  if (scan.IsStopped()) return;
  const TCoreOptions& options = scan.Options().Core;
  if (options.IeHistory) {
    scan.Log(LVL_DEBUG, "Scanning IE History");
    AddTotalsRecord(scan, "Internet Explorer History", OBJTYPE_IE_HISTORY,
                    "Internet Explorer History", [](std::int64_t* count, std::int64_t* size) {
                      return Misc != nullptr && Misc->IeHistoryTotals(count, size);
                    });
  }
  if (options.AddrBarUrls) {
    scan.Log(LVL_DEBUG, "Scanning IE Address Bar History");
    AddTotalsRecord(scan, "Internet Explorer Address Bar History", OBJTYPE_IE_ADDRBAR,
                    "Internet Explorer Address Bar History",
                    [](std::int64_t* count, std::int64_t* size) {
                      return Misc != nullptr && Misc->AddressBarTotals(count, size);
                    });
  }
  if (options.Mru) {
    AddTotalsRecord(scan, "MRU History", OBJTYPE_MRU, "MRU History",
                    [](std::int64_t* count, std::int64_t* size) {
                      return Misc != nullptr && Misc->MruTotals(count, size);
                    });
  }
}

}  // namespace qlm
