// Binding of the language library lng.dll: one handle per opened language
// file, lookups by language index and text key.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/uHandles.h"
#include "startup/ILng.h"

namespace qlm {

// What a lookup gives while no language is open.
inline constexpr char LNG_NULL_TEXT[] = "< null >";
// The message and caption that end the process when no language file opens.
inline constexpr char LNG_LOAD_ERROR_TEXT[] = "Cannot load language files! Contact support team!";
inline constexpr char LNG_LOAD_ERROR_CAPTION[] = "Quillmere - Error";
inline constexpr char LNG_FOLDER[] = "languages\\";

class TLanguage {
 public:
  // Loads the library from the program's folder (or from the given path). A
  // library that lacks one of the seven exports is logged, freed and counts
  // as not loaded, so every Open fails.
  explicit TLanguage(const std::string& libraryFile = LNG_LIBRARY_FILE);
  ~TLanguage();
  TLanguage(const TLanguage&) = delete;
  TLanguage& operator=(const TLanguage&) = delete;

  bool Loaded() const { return fLoaded; }
  // Adds one language; its index is the count before the call.
  bool Open(const std::string& fileName);
  void CloseAll();
  int Count() const { return static_cast<int>(fHandles.size()); }

  // Operations taking an index throw std::out_of_range for an index outside
  // 0 to Count() - 1.
  std::string GetString(int index, const std::string& key);
  std::string GetName(int index) const;
  std::string GetFile(int index) const;
  std::string GetVersion(int index) const;
  // The first language marked as default; 0 when none is.
  int GetDefault() const;
  // The first language whose file text equals fileText exactly; -1 if none.
  int IndexOfFile(const std::string& fileText) const;
  bool HasAnyLanguage();

 private:
  bool BindExports();
  LngHandle HandleAt(int index) const;
  std::string ReadText(LngGetTextFn entry, int index, int size) const;

  TModule fLibrary;
  bool fLoaded = false;
  std::vector<LngHandle> fHandles;
  LngOpenFn fLngOpen = nullptr;
  LngCloseFn fLngClose = nullptr;
  LngGetStringFn fLngGetString = nullptr;
  LngGetTextFn fLngGetName = nullptr;
  LngGetTextFn fLngGetFile = nullptr;
  LngGetTextFn fLngGetVersion = nullptr;
  LngGetDefaultFn fLngGetDefault = nullptr;
  bool fHasLanguages = false;
};

// Creates the language object and opens every "*.lng" file of appFolder +
// "languages\", logging each step. A result with Count() 0 means that no
// language is usable: the caller shows LNG_LOAD_ERROR_TEXT and ends the
// process.
std::unique_ptr<TLanguage> LoadLanguages(const std::string& appFolder,
                                         const std::string& libraryFile = LNG_LIBRARY_FILE);

struct TLanguageChoice {
  std::vector<std::string> Names;  // display names in index order
  int Index = 0;                   // the current language
};

// Chooses the current language: the one whose file text the settings hold,
// or the default language, whose file text is then stored in lngFile. A held
// text that no loaded language has gives the default language too, and stays.
TLanguageChoice UpdateLanguages(TLanguage& language, std::string& lngFile);

// Closes every language and frees the object.
void UnloadLanguages(std::unique_ptr<TLanguage>& language);

}  // namespace qlm
