#include "engine/uCore.h"

#include <cstdio>
#include <exception>

#include "base/uFileSystem.h"
#include "base/uFolderRelation.h"
#include "base/uHandles.h"
#include "base/uMasks.h"
#include "base/uPathText.h"
#include "base/uText.h"
#include "engine/uClean.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

std::string ErrorText(const std::exception& e) { return e.what(); }

const char* BoolText(bool value) { return value ? "True" : "False"; }
const char* FlagText(bool value) { return value ? "-1" : "0"; }

// Lower case without one trailing backslash: how folder keys are compared.
std::string FolderKey(const std::string& path) {
  std::string key = LowerText(path);
  if (!key.empty() && key.back() == '\\') key.pop_back();
  return key;
}

bool IsFolderEntry(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

std::uint64_t FileTimeValue(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

TDateTime LocalDate(const FILETIME& time) {
  double date = 0;
  if (Misc == nullptr || !Misc->FileTimeToDate(FileTimeValue(time), &date)) return 0;
  return date;
}

// One level deeper in the walk for as long as a folder is processed.
class TDepthStep {
 public:
  explicit TDepthStep(std::size_t& depth) : fDepth(depth) { ++fDepth; }
  ~TDepthStep() { --fDepth; }
  TDepthStep(const TDepthStep&) = delete;
  TDepthStep& operator=(const TDepthStep&) = delete;

 private:
  std::size_t& fDepth;
};

// The walk that only carries the search down to nested items.
TSearchSpec MasklessSpec() { return TSearchSpec{}; }

}  // namespace

TSearchSpec SpecOf(const TFolderItem& item) {
  TSearchSpec spec;
  spec.Owner = TSharedText(item.Folder);
  spec.Include = item.IncludeMasks ? &*item.IncludeMasks : nullptr;
  spec.Exclude = item.ExcludeMasks ? &*item.ExcludeMasks : nullptr;
  spec.FolderExclude = item.FolderExclude ? &*item.FolderExclude : nullptr;
  spec.Category = item.Category;
  spec.SubFolders = item.SubFolders;
  spec.RemoveEmpty = item.RemoveEmptyFolders;
  return spec;
}

TCore::TCore() : FParts(DefaultScanParts()) {}

TCore::~TCore() = default;

void TCore::SetInit(const TCoreInit& init) {
  FSession.SetInit(init);
  const TCustomDefineList* defines = init.Options.Core.CustomDefines;
  FCustomDefines = defines != nullptr ? *defines : TCustomDefineList();
}

TScanContext TCore::ScanContext() {
  return TScanContext(FSession, FFolders, FCookieDefs, FCustomDefines);
}

void TCore::Run() {
  Log(LVL_DEBUG, "Running core procedure...");
  FSession.SetFailed(false);
  if (FOpType == OPTYPE_SCAN) {
    Scan();
  } else if (FOpType == OPTYPE_CLEAN) {
    DirectClean();
  }
}

// From here on the window holds the found list and may replace the
// engine's settings: the end message is the operation's last word.
void TCore::PostEnd(UINT message) {
  FSession.FlushLog();
  FoundList.HandTo(TListSide::Window);
  FSession.PostUpdate(message, std::string(), 0, 0, IsStopped());
}

bool TCore::DirectClean() {
  Log(LVL_DEBUG, "1. Direct clean");
  bool result = true;
  try {
    TCleaner cleaner(FSession, FCookieDefs, FIeCacheRoot);
    cleaner.Clean();
    cleaner.CleanOthers();
  } catch (const std::exception& e) {
    Log(LVL_EXCEPT, "##### EXCEPTION: " + ErrorText(e));
    FSession.SetFailed(true);
    result = false;
  }
  PostEnd(WM_CORE_CLEAN_END);
  return result;
}

TFolderItem* TCore::FindFolderItem(const std::string& path) {
  const std::string key = FolderKey(path);
  for (const auto& item : FFolders) {
    if (item && !item->Done && FolderKey(item->Folder) == key) return item.get();
  }
  return nullptr;
}

void TCore::ClearFolders() {
  FFolders.clear();
  FRoots.clear();
}

bool TCore::Scan() {
  bool result = false;
  try {
    result = InitEngine() &&
             Step("2. Compile folders list", [this] { return CompileFolders(); }) &&
             Step("3. Compile roots list", [this] { return CompileRoots(); }) &&
             Step("4. Process roots list", [this] { return ProcessRoots(); }) &&
             Step("5. Process others items", [this] { return ProcessOthers(); });
  } catch (const std::exception& e) {
    Log(LVL_EXCEPT, ErrorText(e));
    result = false;
  }
  Log(LVL_DEBUG, "Posting scan end...");
  PostEnd(WM_CORE_SCAN_END);
  ClearFolders();
  // The largest folder's entries are not kept until the next scan.
  FListings.clear();
  return result;
}

template <typename TRun>
bool TCore::Step(const char* title, TRun run) {
  Log(LVL_NOTICE, title);
  return run();
}

bool TCore::InitEngine() {
  Log(LVL_NOTICE, "1. Init engine");
  if (FParts.LoadCookieDefinitions == nullptr) return true;
  TScanContext scan = ScanContext();
  return FParts.LoadCookieDefinitions(scan);
}

bool TCore::CompileFolders() {
  Log(LVL_NOTICE, "Compiling folder list...");
  if (!FFolders.empty()) {
    Log(LVL_INFO, "List not empty! Removing objects...");
    ClearFolders();
  }
  TScanContext scan = ScanContext();
  try {
    for (const TCollectorEntry& collector : FParts.Collectors) {
      Log(LVL_DEBUG, collector.EntryLog);
      if (collector.Run != nullptr) collector.Run(scan);
    }
  } catch (const std::exception& e) {
    Log(LVL_EXCEPT, "##### EXCEPTION: " + ErrorText(e));
    FSession.SetFailed(true);
    return false;
  }
  LogFolders();
  return true;
}

void TCore::LogFolders() {
  Log(LVL_DEBUG, "Folder list:");
  Log(LVL_DEBUG, "Count:" + std::to_string(FFolders.size()));
  for (std::size_t i = 0; i < FFolders.size(); ++i) {
    const TFolderItem* item = FFolders[i].get();
    if (item == nullptr) {
      Log(LVL_ERROR, "pItem " + std::to_string(i) + " = nil");
      continue;
    }
    Log(LVL_DEBUG, "Type: " + std::to_string(item->Category) + " " + CategoryName(item->Category));
    Log(LVL_DEBUG, "Folder: " + item->Path);
    Log(LVL_DEBUG, std::string("Sub-folders: ") + BoolText(item->SubFolders));
    if (item->FolderExclude) Log(LVL_DEBUG, "Folder Exclude: " + DelimitedText(*item->FolderExclude));
    if (item->IncludeMasks) Log(LVL_DEBUG, "Extens Include: " + DelimitedText(*item->IncludeMasks));
    if (item->ExcludeMasks) Log(LVL_DEBUG, "Extens Exclude: " + DelimitedText(*item->ExcludeMasks));
  }
}

void TCore::AddRoot(const std::string& folder) {
  if (folder.empty() || !IsExistingFolder(folder)) return;
  FRoots.push_back(WithBackslash(folder));
}

// Places one item among the roots; false when it needs a root of its own.
bool TCore::PlaceItem(TFolderItem& item) {
  const std::string f = LowerText(item.Path);
  bool placed = false;
  for (std::string& root : FRoots) {
    const std::string r = LowerText(root);
    const int relation = Misc->IsSubFolder(f.c_str(), r.c_str());
    if (relation == FOLDER_CONTAINS) {
      if (!item.SubFolders) continue;
      root = WithBackslash(f);
      return true;
    }
    if (relation == FOLDER_INSIDE) {
      // The first item of this folder decides: a recursive one is reached by
      // the walk of its root; any other is marked for the mask-less walk.
      // An item placed inside a root is always marked too: when the root's
      // own item is not recursive, only the mask-less walk can reach it.
      TFolderItem* first = FindFolderItem(f);
      placed = true;
      item.Nested = true;
      if (first == nullptr || first->SubFolders) return true;
      first->Nested = true;
      continue;
    }
    if (relation == FOLDER_SAME) return true;
    if (relation == FOLDER_UNDETERMINED) {
      Log(LVL_ERROR, "1)IsSubFolder(" + f + ", " + r + ") = $ff");
      return true;
    }
  }
  return placed;
}

// The items of a root that another root encloses are reached by walking
// down from the enclosing one; a non-recursive enclosing item reaches them
// only when they are marked.
void TCore::MarkNested(const std::string& root) {
  const std::string key = FolderKey(root);
  for (const auto& item : FFolders) {
    if (item && FolderKey(item->Path) == key) item->Nested = true;
  }
}

bool TCore::PruneRoots() {
  const std::size_t n = FRoots.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n && !FRoots[i].empty(); ++j) {
      if (j == i || FRoots[j].empty()) continue;
      const std::string& a = FRoots[i];
      const std::string& b = FRoots[j];
      const int relation = Misc->IsSubFolder(a.c_str(), b.c_str());
      if (relation == FOLDER_CONTAINS) {
        MarkNested(b);
        FRoots[j].clear();
      } else if (relation == FOLDER_INSIDE) {
        MarkNested(a);
        FRoots[i].clear();
      } else if (relation == FOLDER_SAME) {
        FRoots[j].clear();
        break;
      } else if (relation == FOLDER_UNDETERMINED) {
        Log(LVL_ERROR, "2)IsSubFolder(" + a + ", " + b + ") = $ff");
        return false;
      }
    }
  }
  std::erase_if(FRoots, [](const std::string& root) { return root.empty(); });
  return true;
}

bool TCore::CompileRoots() {
  try {
    for (const auto& item : FFolders) {
      if (!item) continue;
      if (FRoots.empty() || !PlaceItem(*item)) {
        AddRoot(LowerText(item->Path));
        item->Nested = false;
      }
    }
    if (!PruneRoots()) return false;
  } catch (const std::exception& e) {
    Log(LVL_EXCEPT, "##### EXCEPTION: " + ErrorText(e));
    FSession.SetFailed(true);
    return false;
  }
  LogRoots();
  return true;
}

void TCore::LogRoots() {
  Log(LVL_DEBUG, "Roots list:");
  Log(LVL_DEBUG, "Count:" + std::to_string(FRoots.size()));
  for (std::size_t i = 0; i < FRoots.size(); ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "Root%.4d: ", static_cast<int>(i));
    Log(LVL_DEBUG, number + FRoots[i]);
  }
}

bool TCore::ProcessRoots() {
  const std::size_t n = FRoots.size();
  const TSearchSpec spec = MasklessSpec();
  for (std::size_t i = 0; i < n && !IsStopped(); ++i) {
    std::string path = FRoots[i];
    ProcessFolder(path, spec);
  }
  return true;
}

void TCore::LogItemFound(const TFolderItem* item) {
  if (!FSession.LogsAt(LVL_DEBUG)) return;
  if (item == nullptr) {
    Log(LVL_DEBUG, "Item found :: x = nil");
    return;
  }
  Log(LVL_DEBUG, "Item found :: ft" + std::to_string(item->Category) + " " + FlagText(item->Done) +
                     " " + FlagText(item->Nested) + " " + FlagText(item->SubFolders) + " " +
                     FlagText(item->RemoveEmptyFolders) + " " + item->Folder + " " + item->Path);
}

void TCore::ProcessFolder(std::string& path, const TSearchSpec& spec) {
  Log(LVL_DEBUG, path);
  FSession.PostUpdate(WM_CORE_CURR_PATH, path, 0, 0, false);
  TFolderItem* item = FindFolderItem(path);
  LogItemFound(item);
  const TDepthStep step(FDepth);
  if (FListings.size() < FDepth) FListings.push_back(std::make_unique<TFolderListing>());
  TFolderListing& listing = *FListings[FDepth - 1];
  listing.Read = false;
  if (item == nullptr) {
    SearchFiles(path, spec, listing);
    if (spec.SubFolders) WalkSubfolders(path, spec, listing);
    return;
  }
  do {
    TSearchSpec own = SpecOf(*item);
    SearchFiles(item->Path, own, listing);
    if (item->SubFolders) {
      WalkSubfolders(item->Path, own, listing);
      item->Done = true;
      break;
    }
    item->Done = true;
    const auto [next, nested] = FindNextItem(*item);
    LogItemFound(next);
    if (nested) WalkSubfolders(item->Path, MasklessSpec(), listing);
    item = next;
  } while (item != nullptr && !item->Done);
}

std::pair<TFolderItem*, bool> TCore::FindNextItem(const TFolderItem& item) {
  const std::string folder = LowerText(item.Folder);
  for (const auto& candidate : FFolders) {
    if (!candidate || candidate->Done) continue;
    const std::string other = LowerText(candidate->Folder);
    if (candidate->Nested && LocalIsSubFolder(folder, other) == FOLDER_CONTAINS) {
      return {candidate.get(), true};
    }
    if (other == folder) return {candidate.get(), false};
  }
  return {nullptr, false};
}

void TCore::WalkSubfolders(std::string& path, const TSearchSpec& spec, TFolderListing& listing) {
  const std::size_t length = path.size();
  for (const TDirEntry& entry : ListingOf(listing, path)) {
    if (IsStopped()) break;
    if (!IsFolderEntry(entry.Attributes)) continue;
    path += entry.Name;
    path += '\\';
    if (!MatchesAnyMask(path, spec.FolderExclude)) ProcessFolder(path, spec);
    path.resize(length);
  }
}

void TCore::SearchFiles(const std::string& path, const TSearchSpec& spec, TFolderListing& listing) {
  if (spec.Include == nullptr) return;
  const TScanContext scan = ScanContext();
  // Made with the folder's first object, shared by all of them.
  TFoundPlacePtr place;
  std::string full;
  for (const std::string& mask : spec.Include->Items) {
    std::int64_t count = 0;
    std::int64_t size = 0;
    if (IsStopped()) return;
    for (const TDirEntry& entry : ListingOf(listing, path)) {
      if (IsStopped()) break;
      if (!MatchesFileMask(entry.Name, mask) || MatchesAnyMask(entry.Name, spec.Exclude)) continue;
      full.assign(path).append(entry.Name);
      if (!AcceptFoundObject(scan, spec.Category, full, entry)) continue;
      if (!place) place = MakeFoundPlace(path, TFoundTexts{spec.Owner});
      std::unique_ptr<TFileRec> rec = MakeFileRec(place, entry, spec);
      CompleteFoundObject(scan, *rec);
      count += rec->Count >= 0 ? rec->Count : 1;
      size += rec->Size;
      if (FSession.LogsAt(LVL_DEBUG))
        Log(LVL_DEBUG, "FT " + std::to_string(spec.Category) + " FN " + full);
      FoundList.Worker().push_back(std::move(rec));
    }
    if (count > 0) FSession.PostUpdate(WM_CORE_UPDATE_SCAN, std::string(), count, size, false);
  }
  if (place) place->Compact();
}

std::unique_ptr<TFileRec> TCore::MakeFileRec(const TFoundPlacePtr& place, const TDirEntry& entry,
                                             const TSearchSpec& spec) {
  auto rec = std::make_unique<TFileRec>(place, entry.Name);
  rec->Count = 1;
  rec->Selected = FSession.Options().SelFoundObjs;
  rec->RemoveEmptyFolder = spec.RemoveEmpty;
  rec->Category = static_cast<std::int16_t>(spec.Category);
  rec->Size = entry.Size;
  rec->Attributes = static_cast<int>(entry.Attributes);
  rec->SetCreated(LocalDate(entry.Created));
  rec->SetAccessed(LocalDate(entry.Accessed));
  rec->SetWritten(LocalDate(entry.Written));
  return rec;
}

std::span<const TDirEntry> TCore::ListingOf(TFolderListing& listing, const std::string& path) {
  std::string key = FolderKey(path);
  if (!listing.Read || listing.Key != key) {
    ReadFolder(path, listing);
    listing.Key = std::move(key);
    listing.Read = true;
  }
  return {listing.Entries.data(), listing.Count};
}

// One pass over the folder serves every mask and the walk. An entry whose
// name the ANSI functions could not represent is dropped: it could not be
// removed by that name, and its "?" would act as a wildcard. Reparse points
// (junctions, symbolic links) are dropped too, so that nothing outside the
// folder an item names can become an object or be walked.
void TCore::ReadFolder(const std::string& path, TFolderListing& listing) {
  std::vector<TDirEntry>& entries = listing.Entries;
  listing.Count = 0;
  TDirEnum reader(path);
  while (!IsStopped()) {
    if (listing.Count == entries.size()) entries.emplace_back();
    TDirEntry& entry = entries[listing.Count];
    if (!reader.Next(entry)) break;
    if (!entry.NameReadable()) {
      Log(LVL_WARNING, "Name not readable, skipped: " + path + entry.Name);
    } else if (entry.IsReparsePoint()) {
      Log(LVL_INFO, "Reparse point not followed: " + path + entry.Name);
    } else {
      ++listing.Count;
    }
  }
}

bool TCore::ProcessOthers() {
  TScanContext scan = ScanContext();
  try {
    if (FParts.CollectOutlook != nullptr) FParts.CollectOutlook(scan);
    if (FParts.CollectHistory != nullptr) FParts.CollectHistory(scan);
  } catch (const std::exception& e) {
    Log(LVL_EXCEPT, "##### EXCEPTION: " + ErrorText(e));
    FSession.SetFailed(true);
    return false;
  }
  return true;
}

int TCore::LocalIsSubFolder(const std::string& a, const std::string& b) {
  try {
    return FolderRelation(a, b);
  } catch (const std::exception& e) {
    ::OutputDebugStringA(("Quillmere.exe: IMisc_IsSubFolder EXCEPT " + ErrorText(e)).c_str());
    return FOLDER_UNDETERMINED;
  }
}

}  // namespace qlm
