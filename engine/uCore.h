// The cleaning engine. One instance lives in the worker thread object and
// runs only on that thread; the main thread reaches it only through the
// worker (options in and out while idle, the stop request at any time).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/uDirEnum.h"
#include "base/uFileSystem.h"
#include "base/uHandles.h"
#include "engine/uCoreTypes.h"
#include "startup/IMisc.h"

class TCore;

// A piece of another engine unit that the scan calls.
using TCorePart = void (*)(TCore& core);

// One collector: the line it logs on entry (always, even when its option is
// off) and the code that appends its folder items (none until it exists).
struct TCollectorEntry {
  const char* EntryLog;
  TCorePart Run;
};
inline constexpr std::size_t COLLECTOR_COUNT = 15;
using TCollectorTable = std::array<TCollectorEntry, COLLECTOR_COUNT>;

// What the other engine units contribute to a scan, in calling order.
struct TScanParts {
  // Step 1; none means there is nothing to load.
  bool (*LoadCookieDefinitions)(TCore& core) = nullptr;
  TCollectorTable Collectors{};
  TCorePart CollectOutlook = nullptr;
  TCorePart CollectHistory = nullptr;
};
TScanParts DefaultScanParts();

// One directory entry as the search sees it.
// The entries of one folder, read once however many masks search it.
struct TFolderListing {
  std::string Key;
  bool Read = false;
  std::vector<TDirEntry> Entries;
};

// How a folder is searched: from its folder item, or as a walk carries it
// down from above.
struct TSearchSpec {
  TSharedText Owner;
  const TStringList* Include = nullptr;
  const TStringList* Exclude = nullptr;
  const TStringList* FolderExclude = nullptr;
  int Category = 0;
  bool SubFolders = true;
  bool RemoveEmpty = false;
};

class TCore {
 public:
  TCore();
  ~TCore();
  TCore(const TCore&) = delete;
  TCore& operator=(const TCore&) = delete;

  // The operation chosen by SetOpType.
  void Run();
  bool Scan();
  bool DirectClean();

  // The clean's passes.
  void Clean();
  void CleanOthers();
  bool DeleteEmptyTree(const std::string& folder);
  bool DeleteLockedFile(const std::string& path);
  const std::string& IeCacheRoot() const { return FIeCacheRoot; }

  void SetStop(bool stop);
  bool IsStopped();
  bool Failed() const { return FFailed; }

  void Log(int level, const std::string& text);
  bool LogsAt(int level);
  bool PostUpdate(UINT message, const std::string& text, std::int64_t count, std::int64_t size,
                  bool stopped);

  const TCoreInit& GetInit() const { return FInit; }
  void SetInit(const TCoreInit& init) { FInit = init; }
  TOptions& Options() { return FInit.Options; }
  void SetOpType(int opType) { FOpType = opType; }
  TScanParts& Parts() { return FParts; }

  // The folder list that the collectors fill; entries may be empty.
  std::vector<std::unique_ptr<TFolderItem>>& Folders() { return FFolders; }
  const std::vector<std::string>& Roots() const { return FRoots; }
  TStringList& CookieDefs() { return FCookieDefs; }

  std::unique_ptr<TFolderItem> NewFolderItem() const;
  TFolderItem* FindFolderItem(const std::string& path);
  void ClearFolders();

  // The scan's steps.
  bool CompileFolders();
  void LogFolders();
  bool CompileRoots();
  void LogRoots();
  bool ProcessRoots();
  void ProcessFolder(std::string& path, const TSearchSpec& spec);
  std::pair<TFolderItem*, bool> FindNextItem(const TFolderItem& item);
  void WalkSubfolders(std::string& path, const TSearchSpec& spec, TFolderListing& listing);
  void SearchFiles(const std::string& path, const TSearchSpec& spec, TFolderListing& listing);
  bool ProcessOthers();
  int LocalIsSubFolder(const std::string& a, const std::string& b);

  // Category rules for a directory entry that the masks admitted.
  bool AcceptFoundObject(int category, const std::string& full, const TDirEntry& entry);
  void CompleteFoundObject(TFileRec& rec);

  // Special folders and path tokens.
  std::string GetSpecialFolder(const std::string& token, const std::string& searchKey,
                               const std::string& searchExe);
  std::string GetFolderCustomDefine(const std::string& spec, const std::string& searchKey,
                                    const std::string& searchExe);
  std::string ExpandEnvironment(const std::string& text);
  std::string PathAppData() { return SpecialFolder(&IMisc::PathAppData); }
  std::string PathCommonAppData() { return SpecialFolder(&IMisc::PathCommonAppData); }
  std::string PathCookies() { return SpecialFolder(&IMisc::PathCookies); }
  std::string PathCrashDumps() { return SpecialFolder(&IMisc::PathCrashDumps); }
  std::string PathIeCache() { return SpecialFolder(&IMisc::PathIeCache); }
  std::string PathLocalAppData() { return SpecialFolder(&IMisc::PathLocalAppData); }
  std::string PathOeStore() { return SpecialFolder(&IMisc::PathOeStore); }
  std::string PathOfficeRecent() { return SpecialFolder(&IMisc::PathOfficeRecent); }
  std::string PathOperaCache() { return SpecialFolder(&IMisc::PathOperaCache); }
  std::string PathPrefetch() { return SpecialFolder(&IMisc::PathPrefetch); }
  std::string PathProfiles() { return SpecialFolder(&IMisc::PathProfiles); }
  std::string PathCommonFiles() { return SpecialFolder(&IMisc::PathCommonFiles); }
  std::string PathProgramFiles() { return SpecialFolder(&IMisc::PathProgramFiles); }
  std::string PathRecent() { return SpecialFolder(&IMisc::PathRecent); }
  std::string PathUserProfile() { return SpecialFolder(&IMisc::PathUserProfile); }
  std::string PathUserTemp() { return SpecialFolder(&IMisc::PathUserTemp); }
  std::string PathWindows() { return SpecialFolder(&IMisc::PathWindows); }
  std::string PathSystem() { return SpecialFolder(&IMisc::PathSystem); }
  std::string PathWindowsTemp() { return SpecialFolder(&IMisc::PathWindowsTemp); }
  std::string AppInstallFolder(const std::string& searchKey, const std::string& searchExe);

 private:
  bool InitEngine();
  template <typename TRun>
  bool Step(const char* title, TRun run);
  void AddRoot(const std::string& folder);
  bool PlaceItem(TFolderItem& item);
  bool PruneRoots();
  void MarkNested(const std::string& root);
  void LogItemFound(const TFolderItem* item);
  const std::vector<TDirEntry>& ListingOf(TFolderListing& listing, const std::string& path);
  void ReadFolder(const std::string& path, std::vector<TDirEntry>& entries);
  std::unique_ptr<TFileRec> MakeFileRec(std::string full, const TSearchSpec& spec,
                                        const TDirEntry& entry);
  std::string SpecialFolder(MiscPathFn IMisc::*slot);
  bool RemoveObject(const TFileRec& rec);
  bool RemoveUpdate(const TFileRec& rec);
  bool RemoveFolderTree(const std::string& folder);
  bool IsKeptFolder(const std::string& folder) const;

  TCriticalSection FLock;
  bool FStop = false;
  bool FFailed = false;
  TCoreInit FInit;
  int FOpType = 0;
  std::vector<std::unique_ptr<TFolderItem>> FFolders;
  std::vector<std::string> FRoots;
  TStringList FCookieDefs;
  TScanParts FParts;
  // The IE cache folder of the last "others" pass, and the folders of this
  // clean that lose only their empty subfolders, lower-cased.
  std::string FIeCacheRoot;
  std::vector<std::string> FKeptFolders;
};

// Appends an item of the collectors' common shape (lower-cased folder,
// nested, the masks split as every '|' list is) and logs its line at level 4.
TFolderItem& AddFolderItem(TCore& core, const std::string& folder, const std::string& masks,
                           bool subFolders, int category, const std::string& logLine);

// The search settings of a folder item.
TSearchSpec SpecOf(const TFolderItem& item);
