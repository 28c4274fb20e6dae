// A program folder of a test's own, laid out as a user's installation from
// the build's program folder: quillmere.exe with its libraries, its
// definition files and, unless left out, its language files.
#pragma once

#include <string>

#include "tests/support/uTestSupport.h"

namespace qlm {

class TInstalledProgram {
 public:
  // misc.dll comes from `miscFolder` (none when it is empty).
  explicit TInstalledProgram(const std::string& miscFolder, bool withLanguages = true);

  const std::string& Folder() const { return fFolder.Path(); }
  std::string Executable() const { return fFolder.Path() + "quillmere.exe"; }
  std::string Traces() const { return fFolder.Path() + "traces\\"; }

 private:
  void Copy(const std::string& from, const std::string& name);
  TTempFolder fFolder;
};

}  // namespace qlm
