#include "update/uFileTable.h"

#include <stdexcept>
#include <string>

namespace qlm {

namespace {

constexpr TFileInfo FILE_TABLE[FILE_TABLE_LAST] = {
    {"quillmere.exe", "quillmere_exe.zip", "", "quillmere_exe.changes"},
    {"delete.bin", "delete_bin.zip", "", "delete_bin.changes"},
    {"update.bin", "update_bin.zip", "", "update_bin.changes"},
    {"qlmres.dll", "qlmres_dll.zip", "", "qlmres_dll.changes"},
    {"lng.dll", "lng_dll.zip", "", "lng_dll.changes"},
    {"misc.dll", "misc_dll.zip", "", "misc_dll.changes"},
    {"cookies.def", "cookies_def.zip", "defines\\", "cookies_def.changes"},
    {"extensions.def", "extensions_def.zip", "defines\\", "extensions_def.changes"},
    {"applications.script", "applications_script.zip", "defines\\", "applications_script.changes"},
    {"dutch.lng", "dutch_lng.zip", "languages\\", "dutch_lng.changes"},
    {"english.lng", "english_lng.zip", "languages\\", "english_lng.changes"},
    {"italian.lng", "italian_lng.zip", "languages\\", "italian_lng.changes"},
    {"portbr.lng", "portbr_lng.zip", "languages\\", "portbr_lng.changes"},
    {"spanish.lng", "spanish_lng.zip", "languages\\", "spanish_lng.changes"},
    {"windows.def", "windows_def.zip", "defines\\", "windows_def.changes"},
};

}  // namespace

const TFileInfo& FileInfo(std::int64_t id) {
  if (id < FILE_TABLE_FIRST || id > FILE_TABLE_LAST) {
    throw std::out_of_range("File identifier out of range: " + std::to_string(id));
  }
  return FILE_TABLE[id - FILE_TABLE_FIRST];
}

bool InstalledAfterRestart(std::int64_t id) { return id == 1 || id == 4 || id == 5 || id == 6; }

}  // namespace qlm
