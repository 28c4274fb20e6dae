#include "tests/support/uInstalledProgram.h"

#include <windows.h>

#include <stdexcept>

namespace qlm {

TInstalledProgram::TInstalledProgram(const std::string& miscFolder, bool withLanguages) {
  Copy(ProgramFolder(), "quillmere.exe");
  Copy(ProgramFolder(), "qlmres.dll");
  if (!miscFolder.empty()) Copy(miscFolder, "misc.dll");
  if (!::CreateDirectoryA((fFolder.Path() + "defines").c_str(), nullptr)) {
    throw std::runtime_error("cannot make the defines folder");
  }
  for (const std::string& file : ListFiles(ProgramFolder() + "defines\\", "*")) {
    Copy(ProgramFolder(), "defines\\" + file);
  }
  if (!withLanguages) return;
  Copy(ProgramFolder(), "lng.dll");
  if (!::CreateDirectoryA((fFolder.Path() + "languages").c_str(), nullptr)) {
    throw std::runtime_error("cannot make the languages folder");
  }
  for (const std::string& file : ListFiles(ProgramFolder() + "languages\\", "*.lng")) {
    Copy(ProgramFolder(), "languages\\" + file);
  }
}

void TInstalledProgram::Copy(const std::string& from, const std::string& name) {
  if (!::CopyFileA((from + name).c_str(), (fFolder.Path() + name).c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + name);
  }
}

}  // namespace qlm
