#include "startup/uLanguage.h"

#include <algorithm>
#include <stdexcept>

#include "base/uDirEnum.h"
#include "base/uText.h"
#include "startup/uLibrarySearch.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

template <typename Fn>
bool Bind(HMODULE library, const char* name, Fn& entry) {
  entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
  if (entry != nullptr) return true;
  Log(LVL_ERROR, std::string("The language library lacks the export ") + name);
  return false;
}

// The mask "*.lng" also matches longer extensions through their short
// names ("a.lngold" is A~1.LNG), so the long name decides.
bool HasLanguageExtension(const std::string& name) {
  constexpr std::string_view EXTENSION = ".lng";
  if (name.size() <= EXTENSION.size()) return false;
  return SameTextIgnoringCase(std::string_view(name).substr(name.size() - EXTENSION.size()),
                              EXTENSION);
}

}  // namespace

TLanguage::TLanguage(const std::string& libraryFile)
    : fLibrary(::LoadLibraryA(ProgramLibraryPath(libraryFile).c_str())) {
  fLoaded = fLibrary && BindExports();
  if (!fLoaded) fLibrary.Reset();
}

TLanguage::~TLanguage() {
  // The window closes the languages first; a handler ended on another path
  // still hands every handle back before the library goes.
  if (fLoaded) CloseAll();
  fLngOpen = nullptr;
  fLngClose = nullptr;
  fLngGetString = nullptr;
  fLngGetName = nullptr;
  fLngGetFile = nullptr;
  fLngGetVersion = nullptr;
  fLngGetDefault = nullptr;
}

bool TLanguage::BindExports() {
  HMODULE library = fLibrary.Get();
  return Bind(library, LNG_EXPORT_OPEN, fLngOpen) && Bind(library, LNG_EXPORT_CLOSE, fLngClose) &&
         Bind(library, LNG_EXPORT_GET_STRING, fLngGetString) &&
         Bind(library, LNG_EXPORT_GET_NAME, fLngGetName) &&
         Bind(library, LNG_EXPORT_GET_FILE, fLngGetFile) &&
         Bind(library, LNG_EXPORT_GET_VERSION, fLngGetVersion) &&
         Bind(library, LNG_EXPORT_GET_DEFAULT, fLngGetDefault);
}

bool TLanguage::Open(const std::string& fileName) {
  if (!fLoaded) return false;
  fHandles.push_back(fLngOpen(fileName.c_str()));
  if (fHandles.back() != 0) return true;
  fHandles.pop_back();
  return false;
}

void TLanguage::CloseAll() {
  for (LngHandle& handle : fHandles) fLngClose(&handle);
  fHandles.clear();
}

LngHandle TLanguage::HandleAt(int index) const {
  if (index < 0 || index >= Count())
    throw std::out_of_range("Language index " + std::to_string(index) + " out of range 0.." +
                            std::to_string(Count() - 1));
  return fHandles[static_cast<std::size_t>(index)];
}

// Keeps exactly the characters the library reports, bounded by the buffer
// in case a library reports more than it may write.
static std::string KeptText(const std::vector<char>& buffer, int count) {
  int size = static_cast<int>(buffer.size());
  return std::string(buffer.data(), static_cast<std::size_t>(std::clamp(count, 0, size)));
}

std::string TLanguage::ReadText(LngGetTextFn entry, int index, int size) const {
  std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
  return KeptText(buffer, entry(HandleAt(index), buffer.data()));
}

std::string TLanguage::GetString(int index, const std::string& key) {
  if (!HasAnyLanguage()) return LNG_NULL_TEXT;
  std::vector<char> buffer(LNG_TEXT_BUFFER, '\0');
  return KeptText(buffer, fLngGetString(HandleAt(index), key.c_str(), buffer.data()));
}

std::string TLanguage::GetName(int index) const {
  return ReadText(fLngGetName, index, LNG_NAME_BUFFER);
}

std::string TLanguage::GetFile(int index) const {
  return ReadText(fLngGetFile, index, LNG_FILE_BUFFER);
}

std::string TLanguage::GetVersion(int index) const {
  return ReadText(fLngGetVersion, index, LNG_VERSION_BUFFER);
}

int TLanguage::GetDefault() const {
  for (int i = 0; i < Count(); ++i)
    if (fLngGetDefault(fHandles[static_cast<std::size_t>(i)]) != 0) return i;
  return 0;
}

int TLanguage::IndexOfFile(const std::string& fileText) const {
  for (int i = 0; i < Count(); ++i)
    if (GetFile(i) == fileText) return i;
  return -1;
}

bool TLanguage::HasAnyLanguage() {
  fHasLanguages = Count() > 0;
  return fHasLanguages;
}

std::unique_ptr<TLanguage> LoadLanguages(const std::string& appFolder,
                                         const std::string& libraryFile) {
  Log(LVL_DEBUG, "Loading languages...");
  auto language = std::make_unique<TLanguage>(libraryFile);
  std::string folder = appFolder;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  folder += LNG_FOLDER;
  Log(LVL_DEBUG, "FindFirst Language... " + folder);
  TDirEnum listing(folder, "*.lng");
  TDirEntry entry;
  while (listing.Next(entry)) {
    if (!entry.IsPlainFile() || !entry.NameReadable() || !HasLanguageExtension(entry.Name)) {
      continue;
    }
    Log(LVL_DEBUG, "Language File: " + entry.Name);
    if (!language->Open(folder + entry.Name)) Log(LVL_DEBUG, "Language not loaded!");
  }
  return language;
}

TLanguageChoice UpdateLanguages(TLanguage& language, std::string& lngFile) {
  Log(LVL_DEBUG, "Updating languages...");
  TLanguageChoice choice;
  for (int i = 0; i < language.Count(); ++i) choice.Names.push_back(language.GetName(i));
  if (!lngFile.empty()) {
    choice.Index = language.IndexOfFile(lngFile);
    // The stored language is gone or no longer loads (a damaged file, an
    // update that went wrong): the program speaks the default one rather
    // than not starting, and keeps the user's choice for when it is back.
    if (choice.Index < 0 && language.Count() > 0) {
      Log(LVL_WARNING, "Language file not available: " + lngFile);
      choice.Index = language.GetDefault();
    }
  } else {
    choice.Index = language.GetDefault();
    if (language.Count() > 0) lngFile = language.GetFile(choice.Index);
  }
  return choice;
}

void UnloadLanguages(std::unique_ptr<TLanguage>& language) {
  Log(LVL_DEBUG, "Unloading languages...");
  if (language) language->CloseAll();
  language.reset();
}

}  // namespace qlm
