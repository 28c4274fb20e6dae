#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/uTestSupport.h"
#include "tests/update/uUpdateTestSupport.h"
#include "update/uUpdateList.h"
#include "update/uUpdateSignature.h"

using namespace qlm;

namespace {

std::string Flipped(std::string bytes, std::size_t at) {
  bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
  return bytes;
}

}  // namespace

// The system's cryptography API takes the RSA 3072 SHA-256 signatures that
// openssl wrote for the publishing tool, and only for the very bytes signed
// with the trusted key.
TEST(UpdateSignature, AcceptsOnlyTheTrustedKeysSignatureOfTheSameBytes) {
  const std::string list = ReadFileBytes(SiteVariantFolder("two") + UPDATE_LIST_NAME);
  const std::string signature =
      ReadFileBytes(SiteVariantFolder("two") + UPDATE_LIST_NAME + SIGNATURE_SUFFIX);
  ASSERT_EQ(ReadFileBytes(SiteVariantFolder("otherkey") + UPDATE_LIST_NAME), list)
      << "the same list, published with another key";
  const struct {
    const char* Case;
    std::string File;
    std::optional<std::string> Signature;
    bool Valid;
  } cases[] = {
      {"as published", list, signature, true},
      {"one bit of the header flipped", Flipped(list, 9), signature, false},
      {"one bit of the last byte flipped", Flipped(list, list.size() - 1), signature, false},
      {"one byte more", list + " ", signature, false},
      {"one bit of the signature flipped", list, Flipped(signature, 200), false},
      {"the signature cut short", list, signature.substr(1), false},
      {"no signature", list, std::nullopt, false},
      {"signed with another key", list,
       ReadFileBytes(SiteVariantFolder("otherkey") + UPDATE_LIST_NAME + SIGNATURE_SUFFIX), false},
      {"the signature of another list", list,
       ReadFileBytes(SitePublishedFolder() + UPDATE_LIST_NAME + SIGNATURE_SUFFIX), false},
  };
  for (const auto& c : cases) {
    TTempFolder folder;
    const std::string path = folder.Path() + UPDATE_LIST_NAME;
    WriteFileBytes(path, c.File);
    if (c.Signature) WriteFileBytes(path + SIGNATURE_SUFFIX, *c.Signature);
    EXPECT_EQ(VerifyUpdateSignature(path), c.Valid) << c.Case;
  }
}

// The tests' own signatures (for hand-made lists and archives) are written
// as the publishing tool writes them.
TEST(UpdateSignature, SignedHereAsThePublisherSigns) {
  TTempFolder folder;
  const std::string path = folder.Path() + "file";
  WriteFileBytes(path, ReadFileBytes(SitePublishedFolder() + UPDATE_LIST_NAME));
  SignWithTestKey(path);
  EXPECT_EQ(ReadFileBytes(path + SIGNATURE_SUFFIX),
            ReadFileBytes(SitePublishedFolder() + UPDATE_LIST_NAME + SIGNATURE_SUFFIX))
      << "PKCS#1 v1.5 signatures of the same bytes by the same key are equal";
  EXPECT_TRUE(VerifyUpdateSignature(path));
}
