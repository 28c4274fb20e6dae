#include <gtest/gtest.h>

#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

struct TBinTotals {
  std::int64_t Count = -1;
  std::int64_t Size = -1;
};

TBinTotals BinTotals() {
  TBinTotals totals;
  EXPECT_TRUE(MiscLibrary().RecycleBinTotals(&totals.Count, &totals.Size));
  return totals;
}

}  // namespace

TEST(MiscRecycleBin, RecycleShowInTotalsAndEmptyRoundTrip) {
  const IMisc& misc = MiscLibrary();
  ASSERT_TRUE(misc.EmptyRecycleBin(FALSE, FALSE, TRUE));
  EXPECT_EQ(BinTotals().Count, 0);

  TTempFolder folder;
  const std::string file = folder.Path() + "recycled.txt";
  WriteFileBytes(file, std::string(1000, 'r'));
  WriteFileBytes(folder.Path() + "neighbour.txt", "stays");
  ASSERT_TRUE(misc.RecycleFile(file.c_str()));
  EXPECT_FALSE(IsExistingFile(file));
  EXPECT_TRUE(IsExistingFile(folder.Path() + "neighbour.txt"));

  const TBinTotals full = BinTotals();
  EXPECT_EQ(full.Count, 1);
  EXPECT_GE(full.Size, 1000);

  EXPECT_TRUE(misc.EmptyRecycleBin(FALSE, FALSE, TRUE));
  const TBinTotals empty = BinTotals();
  EXPECT_EQ(empty.Count, 0);
  EXPECT_EQ(empty.Size, 0);
  EXPECT_FALSE(misc.RecycleFile(file.c_str())) << "a missing file cannot be recycled";
}
