// A browser's profiles.ini: every profile gives two absolute folders that
// end with a backslash and hold no slash; the cache folder is a "Cache"
// folder.
#include <string>
#include <vector>

#include "base/uPathRules.h"
#include "fuzz/uFuzzCheck.h"
#include "misc/miscProfilesIni.h"

using namespace qlm;

namespace {

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::InputText(data, size);
  const std::vector<misc::TProfileFolders> profiles =
      misc::ProfilesFromIni(text, "C:\\Users\\u\\AppData\\Roaming\\Mozilla\\Firefox",
                            "C:\\Users\\u\\AppData\\Local\\Mozilla\\Firefox\\");
  std::size_t sections = 0;
  for (std::size_t at = text.find('['); at != std::string_view::npos; at = text.find('[', at + 1)) {
    ++sections;
  }
  FUZZ_CHECK(profiles.size() <= sections);
  for (const misc::TProfileFolders& folders : profiles) {
    FUZZ_CHECK(EndsWith(folders.Cookies, "\\") && EndsWith(folders.Cache, "Cache\\"));
    FUZZ_CHECK(IsAbsolutePath(folders.Cookies) && IsAbsolutePath(folders.Cache));
    FUZZ_CHECK(folders.Cookies.find('/') == std::string::npos);
    FUZZ_CHECK(folders.Cache.find('/') == std::string::npos);
  }
  return 0;
}
