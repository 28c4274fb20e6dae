// The clean: every ticked object of the found list removed as its category
// requires, then the empty subfolders of the IE cache and the user's
// temporary folder. Runs on the worker while it holds the found list.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/uStringList.h"
#include "engine/uEngineSession.h"

namespace qlm {

class TCleaner {
 public:
  // The cookie definitions as the last scan left them; the IE cache folder
  // of the last "others" pass, which this clean updates.
  TCleaner(const TEngineSession& session, const TStringList& cookieDefs, std::string& ieCacheRoot);

  void Clean();
  void CleanOthers();
  bool DeleteEmptyTree(const std::string& folder);
  bool DeleteLockedFile(const std::string& path);

 private:
  void Log(int level, const std::string& text) const { fSession.Log(level, text); }
  const TOptions& Options() const { return fSession.Options(); }
  bool GoesToRecycleBin(const TFileRec& rec) const;
  void RecycleWaiting(TFoundList& found, std::vector<std::size_t>& waiting);
  // What follows an object's removal, whether it went (ok) or not.
  void Finish(TFoundList& found, std::size_t i, bool ok);
  bool RemoveObject(const TFileRec& rec);
  bool RemoveUpdate(const TFileRec& rec);
  bool RemoveFolderTree(const std::string& folder);
  bool IsKeptFolder(const std::string& folder) const;

  const TEngineSession& fSession;
  const TStringList& fCookieDefs;
  std::string& fIeCacheRoot;
  // Read once for the whole clean.
  const std::string fIeCache;
  const std::string fUserTemp;
  // The folders of this clean that lose only their empty subfolders, also
  // when an object's own folder tree is removed; lower-cased.
  std::vector<std::string> fKeptFolders;
};

}  // namespace qlm
