// What the collectors of a scan may reach: the options, the special folders
// and path tokens, the services, the log and progress messages, and the one
// folder list they append to. The scan's own steps stay in the engine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/uCoreTypes.h"
#include "engine/uEngineSession.h"
#include "startup/IMisc.h"

namespace qlm {

class TCustomDefineList;

using TFolderList = std::vector<std::unique_ptr<TFolderItem>>;

// A special folder from the services library with one trailing backslash;
// empty when the library gives none.
std::string SpecialFolder(MiscPathFn IMisc::*slot);

class TScanContext {
 public:
  TScanContext(TEngineSession& session, TFolderList& folders, TStringList& cookieDefs,
               const TCustomDefineList& customDefines)
      : fSession(session),
        fFolders(folders),
        fCookieDefs(cookieDefs),
        fCustomDefines(customDefines) {}

  const TOptions& Options() const { return fSession.Options(); }
  void Log(int level, const std::string& text) const { fSession.Log(level, text); }
  bool LogsAt(int level) const { return fSession.LogsAt(level); }
  bool IsStopped() const { return fSession.IsStopped(); }
  bool PostUpdate(UINT message, const std::string& text, std::int64_t count, std::int64_t size,
                  bool stopped) const {
    return fSession.PostUpdate(message, text, count, size, stopped);
  }

  // The list the collectors append to; entries may be empty.
  TFolderList& Folders() { return fFolders; }
  // Objects that are no files join the found list directly.
  void AddFound(std::unique_ptr<TFileRec> rec) { FoundList.Worker().push_back(std::move(rec)); }

  const TStringList& CookieDefs() const { return fCookieDefs; }
  // The engine's own copy of the window's applications, taken at SetInit.
  const TCustomDefineList& CustomDefines() const { return fCustomDefines; }

  // Only the first step writes these: the cookie definitions of this scan,
  // and the cookie categories off for this scan when the file holds none.
  void SetCookieDefs(std::vector<std::string> defs) { fCookieDefs.Items = std::move(defs); }
  void DisableCookieScan();

  // Path tokens ("{win}") and folder specifications made of them.
  std::string GetSpecialFolder(const std::string& token, const std::string& searchKey,
                               const std::string& searchExe) const;
  std::string GetFolderCustomDefine(const std::string& spec, const std::string& searchKey,
                                    const std::string& searchExe) const;

 private:
  TEngineSession& fSession;
  TFolderList& fFolders;
  TStringList& fCookieDefs;
  const TCustomDefineList& fCustomDefines;
};

// The folder of an "{appinstall}" token, as the library gives it.
std::string AppInstallFolder(const std::string& searchKey, const std::string& searchExe);

// Environment strings expanded; empty when they do not fit a path.
std::string ExpandEnvironment(const std::string& text);

// Appends an item of the collectors' common shape (lower-cased folder,
// nested, the masks split as every '|' list is) and logs its line at level 4.
// The folder is base + sub; an empty base (a special folder the library does
// not give) adds nothing, as the item would name a folder relative to
// whatever the current folder is.
TFolderItem* AddFolderItem(TScanContext& scan, const std::string& base, const std::string& sub,
                           const std::string& masks, bool subFolders, int category,
                           const std::string& logLine);

}  // namespace qlm
