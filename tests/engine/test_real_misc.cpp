#include <gtest/gtest.h>

#include <cmath>

#include "base/uDateTime.h"
#include "base/uText.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"
#include "tests/engine/uEngineTestSupport.h"

namespace {

double Now() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return FileTimeToDateTime((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                            now.dwLowDateTime);
}

// A scan of one literal folder needs no special folder and no folder
// relation from the library, only its file times, which may answer failure.
TEST(RealMisc, ScanOfALiteralFolderThroughTheBuiltLibrary) {
  TScanFixture fixture;
  TRealMisc real;
  ASSERT_TRUE(real.Bound());
  ASSERT_EQ(::Misc->Version, MISC_INTERFACE_VERSION);
  MakeTree(fixture.Root(), {"t\\", "t\\a.tmp=4", "t\\b.txt", "t\\sub\\", "t\\sub\\c.tmp=6"});
  const std::string r = LowerText(fixture.Root());
  TCore core;
  fixture.Scan(core, [&](TCore& c) {
    c.Folders().push_back(MakeItem(r + "t\\", "*.tmp", true, OBJTYPE_CUSTOM));
  });
  ASSERT_EQ(FoundList.size(), 2u);
  std::int64_t size = 0;
  for (const auto& rec : FoundList) {
    size += rec->Size;
    EXPECT_TRUE(rec->Written == 0 || std::fabs(rec->Written - Now()) < 1.0) << rec->Written;
  }
  EXPECT_EQ(size, 10);
  EXPECT_EQ(fixture.Recorder.Count(WM_CORE_CURR_PATH), 2u);
  EXPECT_EQ(fixture.Recorder.Count(WM_CORE_UPDATE_SCAN), 2u);
  EXPECT_FALSE(fixture.Recorder.Messages.back().Item.Failed);
}

}  // namespace
