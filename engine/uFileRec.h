// The record of one found object, as the scan makes it, the report shows it
// and the clean obeys it. Free of Windows headers.
//
// A full-disk scan finds a million objects, so a record is kept small: the
// folder part of its path and the texts of the folder item that found it
// live in a place (uFoundPlace.h) that every record of that folder and item
// shares, its name lies in that place's run of names, its times are whole
// seconds, and records come from a pool without a heap block each. The full
// path is built when asked for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/uDateTime.h"
#include "engine/uFoundPlace.h"
#include "engine/uSharedText.h"

namespace qlm {

// A file time as a record keeps it: whole seconds from 1970 to 2106, 0 for
// none (0.0); an earlier or a later time is kept as the nearest of those.
using TRecTime = std::uint32_t;
TRecTime ToRecTime(TDateTime time);
TDateTime FromRecTime(TRecTime time);

// One found object.
class TFileRec {
 public:
  TFileRec() = default;
  // A record of the place's folder: the name joins the place's names.
  TFileRec(TFoundPlacePtr place, std::string_view name);
  TFileRec(const TFileRec& other);
  TFileRec& operator=(const TFileRec& other);
  ~TFileRec() = default;

  // Records are many and alike in size: they come from a pool.
  static void* operator new(std::size_t size);
  static void operator delete(void* block, std::size_t size) noexcept;

  // Full path of the file or folder; empty for objects that are not files.
  std::string Path() const;
  void SetPath(std::string_view path);
  // The path's folder part (with its backslash) and its name.
  const std::string& Folder() const;
  std::string_view Name() const;

  // The texts of the folder item: shared with the neighbours until one of
  // them is set.
  const TSharedText& Caption() const { return Texts().Caption; }
  const TSharedText& Key() const { return Texts().Key; }
  const TSharedText& BackupFolder() const { return Texts().BackupFolder; }
  const TSharedText& Owner() const { return Texts().Owner; }
  void SetCaption(TSharedText text) { OwnTexts().Caption = std::move(text); }
  void SetKey(TSharedText text) { OwnTexts().Key = std::move(text); }
  void SetBackupFolder(TSharedText text) { OwnTexts().BackupFolder = std::move(text); }
  void SetOwner(TSharedText text) { OwnTexts().Owner = std::move(text); }

  TDateTime Created() const { return FromRecTime(fCreated); }
  TDateTime Accessed() const { return FromRecTime(fAccessed); }
  TDateTime Written() const { return FromRecTime(fWritten); }
  void SetCreated(TDateTime time) { fCreated = ToRecTime(time); }
  void SetAccessed(TDateTime time) { fAccessed = ToRecTime(time); }
  void SetWritten(TDateTime time) { fWritten = ToRecTime(time); }

  std::int64_t Size = 0;
  // Objects represented: 1 for a file, more for folders, stores and lists;
  // the clean counts them as a 32-bit number anyway.
  std::int32_t Count = 0;
  int Attributes = 0;
  std::int16_t Category = 0;
  bool Selected : 1 = false;
  bool Locked : 1 = false;
  bool RemoveEmptyFolder : 1 = false;

 private:
  const TFoundTexts& Texts() const;
  // The texts of this record alone: a shared place is left for a copy.
  TFoundTexts& OwnTexts();

  TFoundPlacePtr fPlace;
  std::uint32_t fNameAt = 0;
  TRecTime fCreated = 0;
  TRecTime fAccessed = 0;
  TRecTime fWritten = 0;
};

}  // namespace qlm
