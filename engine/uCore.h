// The cleaning engine. One instance lives in the worker thread object and
// runs only on that thread; the main thread reaches it only through the
// worker (options in and out while idle, the stop request at any time).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/uDirEnum.h"
#include "base/uFileSystem.h"
#include "base/uHandles.h"
#include "engine/uCoreTypes.h"
#include "engine/uCustomDefine.h"
#include "engine/uEngineSession.h"
#include "engine/uScanContext.h"
#include "startup/IMisc.h"

namespace qlm {

// A piece of another engine unit that the scan calls.
using TCorePart = void (*)(TScanContext& scan);

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
  bool (*LoadCookieDefinitions)(TScanContext& scan) = nullptr;
  TCollectorTable Collectors{};
  TCorePart CollectOutlook = nullptr;
  TCorePart CollectHistory = nullptr;
};
TScanParts DefaultScanParts();

// One directory entry as the search sees it.
// The entries of one folder, read once however many masks search it. The
// first Count entries are the folder's; the others are kept from a folder
// read before, so that reading the next one reuses their texts.
struct TFolderListing {
  std::string Key;
  bool Read = false;
  std::size_t Count = 0;
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

  // The operation chosen by SetOpType. Each ends with its end message,
  // which hands the found list back to the window; after it the engine
  // touches nothing that the window may replace.
  void Run();
  bool Scan();
  bool DirectClean();

  void SetStop(bool stop) { FSession.SetStop(stop); }
  bool IsStopped() const { return FSession.IsStopped(); }
  bool Failed() const { return FSession.Failed(); }
  void Log(int level, const std::string& text) const { FSession.Log(level, text); }

  const TCoreInit& GetInit() const { return FSession.Init(); }
  // Takes a copy of the window's applications too: the window may reload
  // its list while an operation runs.
  void SetInit(const TCoreInit& init);
  void SetOpType(int opType) { FOpType = opType; }
  TScanParts& Parts() { return FParts; }

  // What the collectors see; also how a caller fills the folder list.
  TScanContext ScanContext();
  const TFolderList& Folders() const { return FFolders; }
  const std::vector<std::string>& Roots() const { return FRoots; }
  const std::string& IeCacheRoot() const { return FIeCacheRoot; }

  // The scan's steps.
  bool CompileFolders();
  bool CompileRoots();
  bool ProcessRoots();
  bool ProcessOthers();

 private:
  bool InitEngine();
  template <typename TRun>
  bool Step(const char* title, TRun run);
  void PostEnd(UINT message);
  void ClearFolders();
  TFolderItem* FindFolderItem(const std::string& path);
  void LogFolders();
  void LogRoots();
  void AddRoot(const std::string& folder);
  bool PlaceItem(TFolderItem& item);
  bool PruneRoots();
  void MarkNested(const std::string& root);
  void LogItemFound(const TFolderItem* item);
  void ProcessFolder(std::string& path, const TSearchSpec& spec);
  std::pair<TFolderItem*, bool> FindNextItem(const TFolderItem& item);
  void WalkSubfolders(std::string& path, const TSearchSpec& spec, TFolderListing& listing);
  void SearchFiles(const std::string& path, const TSearchSpec& spec, TFolderListing& listing);
  int LocalIsSubFolder(const std::string& a, const std::string& b);
  std::span<const TDirEntry> ListingOf(TFolderListing& listing, const std::string& path);
  void ReadFolder(const std::string& path, TFolderListing& listing);
  std::unique_ptr<TFileRec> MakeFileRec(const TFoundPlacePtr& place, const TDirEntry& entry,
                                        const TSearchSpec& spec);

  TEngineSession FSession;
  int FOpType = 0;
  TFolderList FFolders;
  // One listing per depth of the walk, reused from folder to folder.
  std::vector<std::unique_ptr<TFolderListing>> FListings;
  std::size_t FDepth = 0;
  std::vector<std::string> FRoots;
  TStringList FCookieDefs;
  TCustomDefineList FCustomDefines;
  TScanParts FParts;
  // The IE cache folder of the last clean's "others" pass.
  std::string FIeCacheRoot;
};

// Category rules for a directory entry that the masks admitted, and what
// its record needs beyond the entry.
bool AcceptFoundObject(const TScanContext& scan, int category, const std::string& full,
                       const TDirEntry& entry);
void CompleteFoundObject(const TScanContext& scan, TFileRec& rec);

// The search settings of a folder item.
TSearchSpec SpecOf(const TFolderItem& item);

}  // namespace qlm
