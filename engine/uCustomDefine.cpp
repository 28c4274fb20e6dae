#include "engine/uCustomDefine.h"

#include <windows.h>

#include <optional>
#include <stdexcept>

#include "base/uAtomicReplace.h"
#include "base/uMasks.h"
#include "engine/uDefineFiles.h"
#include "engine/uIniText.h"
#include "engine/uScanContext.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

std::optional<TIniText> ReadScript(const std::string& fileName) {
  std::optional<std::string> text = ReadDefineFile(fileName);
  if (!text) return std::nullopt;
  return TIniText(std::move(*text));
}

void AddCustomItem(TScanContext& scan, const TCustomDefine& define, const TCustomInternal& item,
                   const std::string& folder) {
  TFolderItem* added =
      AddFolderItem(scan, folder, std::string(), item.ExtensionInclude, item.SubFolder,
                    define.Category, define.Name + ": ADD " + folder);
  added->FolderExclude = SplitDelimited(item.FolderExclude, '|');
  added->ExcludeMasks = SplitDelimited(item.ExtensionExclude, '|');
  added->RemoveEmptyFolders = item.RemEmptyFolder;
}

void CollectDefine(TScanContext& scan, const TCustomDefine& define) {
  for (int n = 0; n < define.ItemCount; ++n) {
    const TCustomInternal* item = nullptr;
    try {
      item = &define.GetItem(n);
    } catch (const std::out_of_range& e) {
      scan.Log(LVL_EXCEPT, std::string("##### EXCEPTION: ") + e.what());
      continue;
    }
    const std::string folder =
        scan.GetFolderCustomDefine(item->FolderInclude, item->SearchKey, item->SearchExe);
    if (folder.empty()) {
      scan.Log(LVL_ERROR, define.Name + " Invalid Folder_Include : " + item->FolderInclude);
      continue;
    }
    AddCustomItem(scan, define, *item, folder);
  }
}

}  // namespace

bool TCustomDefine::Load() {
  const std::optional<TIniText> script = ReadScript(FileName);
  if (!script) return false;
  Load(*script);
  return true;
}

bool TCustomDefine::SetSelected(bool selected) {
  // Read afresh: another application may have written its tick since.
  std::optional<TIniText> script = ReadScript(FileName);
  if (script) {
    const std::string before = script->Text();
    script->WriteString(Name, "selected", selected ? "1" : "0");
    if (script->Text() == before || WriteFileAtomically(FileName, script->Text())) {
      Selected = selected;
      return true;
    }
  }
  Log(LVL_ERROR, "Cannot save the selection of " + Name + " in " + FileName);
  return false;
}

TCustomDefineList LoadCustomDefines(const std::string& appFolder) {
  Log(LVL_DEBUG, "Loading custom defines...");
  const std::string fileName = appFolder + "defines\\" + APPLICATIONS_SCRIPT;
  const std::optional<TIniText> script = ReadScript(fileName);
  if (!script) return {};
  for (const TIniSection& section : script->Sections()) Log(LVL_DEBUG, section.Name);
  std::vector<std::string> refused;
  TCustomDefineList list = ReadCustomDefines(*script, fileName, refused);
  for (const std::string& name : refused) Log(LVL_ERROR, "Unable to load custom define " + name);
  return list;
}

void CollectCustomDefines(TScanContext& scan) {
  for (const auto& define : scan.CustomDefines().Items) {
    scan.Log(LVL_DEBUG, "Name: " + define->Name);
    scan.Log(LVL_DEBUG, std::string("Selected: ") + (define->Selected ? "True" : "False"));
    if (define->Selected) CollectDefine(scan, *define);
  }
}

}  // namespace qlm
