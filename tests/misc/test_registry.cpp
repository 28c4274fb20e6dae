#include <gtest/gtest.h>

#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

constexpr char TEST_KEY[] = "SOFTWARE\\QuillmereTest";

void SetValue(const std::string& key, const char* name, DWORD type, const void* data, DWORD bytes) {
  HKEY opened = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &opened, nullptr),
            ERROR_SUCCESS);
  TRegKey owner(opened);
  ASSERT_EQ(::RegSetValueExA(opened, name, 0, type, static_cast<const BYTE*>(data), bytes),
            ERROR_SUCCESS);
}

void SetText(const std::string& key, const char* name, const std::string& text) {
  SetValue(key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

}  // namespace

TEST(MiscRegistry, RoundTripBelowTheMachineRoot) {
  const IMisc& misc = MiscLibrary();
  const std::string update = std::string(TEST_KEY) + "\\Uninstall\\KB123456";
  const DWORD number = 7;
  SetValue(update, "NoRemove", REG_DWORD, &number, sizeof number);
  SetText(update, "DisplayName", "Security Update for Windows (KB123456)");
  SetText(update, "Long", std::string(MISC_REGTEXT_BUFFER, 'x'));
  SetText(update + "\\Sub\\Deeper", "Inner", "inner");

  EXPECT_TRUE(misc.RegKeyExists("machine", update.c_str()));
  EXPECT_TRUE(misc.RegKeyExists("machine", (update + "\\Sub\\Deeper").c_str()));
  EXPECT_FALSE(misc.RegKeyExists("machine", (update + "\\None").c_str()));

  std::int32_t read = 0;
  EXPECT_TRUE(misc.RegReadNumber("machine", update.c_str(), "NoRemove", &read));
  EXPECT_EQ(read, 7);
  EXPECT_FALSE(misc.RegReadNumber("machine", update.c_str(), "DisplayName", &read)) << "no number";
  EXPECT_FALSE(misc.RegReadNumber("machine", update.c_str(), "Missing", &read));

  char text[MISC_REGTEXT_BUFFER] = {};
  EXPECT_TRUE(misc.RegReadText("machine", update.c_str(), "DisplayName", text));
  EXPECT_STREQ(text, "Security Update for Windows (KB123456)");
  char untouched[MISC_REGTEXT_BUFFER] = {};
  EXPECT_FALSE(misc.RegReadText("machine", update.c_str(), "Long", untouched))
      << "a text that does not fit 128 bytes with its zero is refused";
  EXPECT_FALSE(misc.RegReadText("machine", update.c_str(), "NoRemove", untouched)) << "no text";

  EXPECT_TRUE(misc.RegKeyDelete("machine", update.c_str()));
  EXPECT_FALSE(misc.RegKeyExists("machine", update.c_str()));
  EXPECT_FALSE(misc.RegKeyDelete("machine", update.c_str())) << "nothing left to delete";
  EXPECT_TRUE(misc.RegKeyDelete("machine", TEST_KEY));
}

TEST(MiscRegistry, OtherRootsAndHollowKeysAreRefused) {
  const IMisc& misc = MiscLibrary();
  const std::string parent = std::string(TEST_KEY) + "\\Parent";
  SetText(parent + "\\Child", "Name", "child");
  SetText("SOFTWARE\\QuillmereTest\\Parent", "Own", "own");
  char text[MISC_REGTEXT_BUFFER] = {};
  for (const char* root : {"user", "HKLM", "", static_cast<const char*>(nullptr)}) {
    EXPECT_FALSE(misc.RegKeyExists(root, parent.c_str())) << (root ? root : "null");
    EXPECT_FALSE(misc.RegReadText(root, parent.c_str(), "Own", text));
    EXPECT_FALSE(misc.RegKeyDelete(root, parent.c_str()));
  }
  // An empty component would name the parent key: "Parent\" with an empty
  // update identifier must not delete every child.
  for (const std::string& hollow : {parent + "\\", parent + "\\\\Child", "\\" + parent,
                                    std::string()}) {
    EXPECT_FALSE(misc.RegKeyDelete("machine", hollow.c_str())) << hollow;
  }
  EXPECT_TRUE(misc.RegKeyExists("machine", (parent + "\\Child").c_str()));
  EXPECT_TRUE(misc.RegKeyExists("MACHINE", parent.c_str())) << "the root's case is ignored";
  EXPECT_TRUE(misc.RegKeyDelete("machine", TEST_KEY));
}
