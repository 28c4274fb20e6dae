#include <gtest/gtest.h>

#include "base/uFolderRelation.h"

using namespace qlm;

namespace {

TEST(FolderRelation, ComparesComponents) {
  struct TCase {
    const char* A;
    const char* B;
    int Relation;
  };
  const TCase cases[] = {
      {"", "", FOLDER_SAME},
      {"c:\\a", "", FOLDER_UNRELATED},
      {"", "c:\\a", FOLDER_UNRELATED},
      {"C:\\Temp\\", "c:/temp", FOLDER_SAME},
      {"c:\\temp\\\\x\\", "\\c:\\temp\\x", FOLDER_SAME},
      {"c:\\temp\\x\\", "c:\\temp\\", FOLDER_INSIDE},
      {"c:\\temp\\", "c:\\temp\\x\\", FOLDER_CONTAINS},
      {"c:\\temp\\x\\", "c:\\tmp\\", FOLDER_UNRELATED},
      {"c:\\tempx\\", "c:\\temp\\", FOLDER_UNRELATED},
      {"\\\\", "c:\\temp\\", FOLDER_UNDETERMINED},
      {"\\", "\\\\", FOLDER_UNDETERMINED},
      {"c:\\a", "d:\\a", FOLDER_UNRELATED},
      // Latin-1 capitals fold as the masks fold them.
      {"C:\\\xC9T\xC9\\Temp", "c:\\\xE9t\xE9\\temp\\", FOLDER_SAME},
      {"C:\\\xC9T\xC9\\Temp\\x", "c:\\\xE9t\xE9", FOLDER_INSIDE},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FolderRelation(c.A, c.B), c.Relation) << c.A << " vs " << c.B;
  }
}

}  // namespace
