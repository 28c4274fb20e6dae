#include <gtest/gtest.h>

#include "base/uFileRead.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

TEST(FileRead, OutcomesTellMissingUnreadableAndTooLargeApart) {
  TTempFolder folder;
  const std::string r = folder.Path();
  WriteFileBytes(r + "four.txt", "abcd");
  WriteFileBytes(r + "empty.txt", "");
  ::CreateDirectoryA((r + "sub").c_str(), nullptr);
  struct TCase {
    std::string Path;
    std::uint64_t Limit;
    TReadOutcome Outcome;
    const char* Bytes;
  };
  const TCase cases[] = {
      {r + "four.txt", 4, TReadOutcome::Read, "abcd"},
      {r + "four.txt", 3, TReadOutcome::TooLarge, ""},
      {r + "empty.txt", 0, TReadOutcome::Read, ""},
      {r + "none.txt", 100, TReadOutcome::Missing, ""},
      {r + "nofolder\\none.txt", 100, TReadOutcome::Missing, ""},
      {r + "sub", 100, TReadOutcome::Unreadable, ""},
  };
  for (const TCase& c : cases) {
    const TFileRead read = ReadWholeFile(c.Path, c.Limit);
    EXPECT_EQ(read.Outcome, c.Outcome) << c.Path << " limit " << c.Limit;
    EXPECT_EQ(read.Ok(), c.Outcome == TReadOutcome::Read) << c.Path;
    EXPECT_EQ(read.Bytes, c.Bytes) << c.Path;
  }
}

// A file another program holds open for writing is still read.
TEST(FileRead, ReadsAFileOpenForWriting) {
  TTempFolder folder;
  const std::string path = folder.Path() + "held.txt";
  WriteFileBytes(path, "held");
  TFileHandle writer(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(writer);
  const TFileRead read = ReadWholeFile(path, 100);
  EXPECT_TRUE(read.Ok());
  EXPECT_EQ(read.Bytes, "held");
}

}  // namespace
