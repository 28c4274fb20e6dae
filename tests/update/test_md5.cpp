#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/uTestSupport.h"
#include "update/uMD5.h"
#include "update/uMD5File.h"

using namespace qlm;

namespace {

std::string Hex(const TMD5Digest& digest) {
  std::string text;
  char pair[3];
  for (const auto byte : digest) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    text += pair;
  }
  return text;
}

std::string DigestOf(const std::string& text) { return Hex(MD5Bytes(text.data(), text.size())); }

const char* const EMPTY_DIGEST = "d41d8cd98f00b204e9800998ecf8427e";

}  // namespace

TEST(MD5, RfcTestSuite) {
  const struct {
    const char* Input;
    const char* Digest;
  } cases[] = {
      {"", EMPTY_DIGEST},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& c : cases) EXPECT_EQ(DigestOf(c.Input), c.Digest) << '"' << c.Input << '"';
}

// Every split of a message that spans several blocks gives the one-pass
// digest: the buffer of an incomplete block is carried correctly.
TEST(MD5, UpdateInPartsEqualsOnePass) {
  std::string message;
  for (int i = 0; i < 200; ++i) message += static_cast<char>(i * 7 + 3);
  const std::string whole = DigestOf(message);
  for (std::size_t split = 0; split <= message.size(); ++split) {
    TMD5Context context;
    MD5Init(context);
    MD5Update(context, message.data(), split);
    MD5Update(context, message.data() + split, message.size() - split);
    TMD5Digest digest;
    MD5Final(context, digest);
    ASSERT_EQ(Hex(digest), whole) << "split at " << split;
  }
}

TEST(MD5, FinalWipesTheContext) {
  TMD5Context context;
  MD5Init(context);
  MD5Update(context, "abc", 3);
  TMD5Digest digest;
  MD5Final(context, digest);
  const TMD5Context zero{};
  EXPECT_EQ(std::memcmp(&context, &zero, sizeof context), 0);
}

TEST(MD5File, DigestsTheWholeFile) {
  TTempFolder folder;
  std::string content;
  for (int i = 0; i < 100000; ++i) content += static_cast<char>(i % 251);
  WriteFileBytes(folder.Path() + "data.bin", content);
  TMD5Digest digest;
  MD5File(folder.Path() + "data.bin", digest);
  EXPECT_EQ(Hex(digest), DigestOf(content));
}

TEST(MD5File, MissingAndEmptyFilesGiveTheEmptyDigest) {
  TTempFolder folder;
  WriteFileBytes(folder.Path() + "empty.txt", "");
  for (const std::string name : {"empty.txt", "missing.txt"}) {
    TMD5Digest digest;
    digest.fill(0xAA);
    MD5File(folder.Path() + name, digest);
    EXPECT_EQ(Hex(digest), EMPTY_DIGEST) << name;
  }
}
