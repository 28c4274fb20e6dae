#include <gtest/gtest.h>

#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

std::string DbxHeader(unsigned char fifth, std::uint32_t count) {
  std::string header(0x24bc, '\0');
  const unsigned char signature[16] = {0xCF, 0xAD, 0x12, 0xFE, fifth, 0xFD, 0x74, 0x6F,
                                       0x66, 0xE3, 0xD1, 0x11, 0x9A, 0x4E, 0x00, 0xC0};
  for (int i = 0; i < 16; ++i) header[i] = static_cast<char>(signature[i]);
  for (int i = 0; i < 4; ++i) header[0xC4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  return header;
}

int MessageCount(const std::string& path) {
  int count = -1;
  return MiscLibrary().OeMessageCount(path.c_str(), &count) ? count : -1;
}

}  // namespace

TEST(MiscMail, OutlookExpressStoreCountFromItsHeader) {
  TTempFolder folder;
  const std::string store = folder.Path() + "Deleted Items.dbx";
  WriteFileBytes(store, DbxHeader(0xC5, 12));
  EXPECT_EQ(MessageCount(store), 12);
  WriteFileBytes(store, DbxHeader(0xC5, 0));
  EXPECT_EQ(MessageCount(store), 0);

  WriteFileBytes(folder.Path() + "Folders.dbx", DbxHeader(0xC6, 12));
  EXPECT_EQ(MessageCount(folder.Path() + "Folders.dbx"), -1) << "the folder list holds no messages";
  WriteFileBytes(folder.Path() + "short.dbx", DbxHeader(0xC5, 12).substr(0, 0xC4));
  EXPECT_EQ(MessageCount(folder.Path() + "short.dbx"), -1);
  WriteFileBytes(folder.Path() + "text.dbx", std::string(0x300, 'x'));
  EXPECT_EQ(MessageCount(folder.Path() + "text.dbx"), -1);
  EXPECT_EQ(MessageCount(folder.Path() + "missing.dbx"), -1);
}

// Wine has no Outlook: the Outlook slots fail as a machine without it does.
TEST(MiscMail, WithoutOutlookTheOutlookSlotsFail) {
  const IMisc& misc = MiscLibrary();
  EXPECT_FALSE(misc.OutlookAvailable());
  std::int64_t count = -1;
  std::int64_t size = -1;
  for (int folder : {MISC_OUTLOOK_DELETED, MISC_OUTLOOK_JUNK}) {
    EXPECT_FALSE(misc.OutlookFolderTotals(folder, &count, &size));
    EXPECT_FALSE(misc.EmptyOutlookFolder(folder));
  }
  EXPECT_EQ(count, -1);
}

TEST(MiscMail, OutlookExpressStoreRootOfTheCurrentIdentity) {
  const IMisc& misc = MiscLibrary();
  TTempFolder store;
  const std::string identity = "Identities\\{11111111-2222-3333-4444-555555555555}";
  const std::string options = identity + "\\Software\\Microsoft\\Outlook Express\\5.0";
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, options.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::string root = store.Path().substr(0, store.Path().size() - 1);
  ::RegSetValueExA(key, "Store Root", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(root.c_str()),
                   static_cast<DWORD>(root.size() + 1));
  ::RegCloseKey(key);
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Identities", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const char id[] = "{11111111-2222-3333-4444-555555555555}";
  ::RegSetValueExA(key, "Last User ID", 0, REG_SZ, reinterpret_cast<const BYTE*>(id), sizeof id);

  EXPECT_EQ(SlotPath(misc.PathOeStore), root);

  ::RegDeleteValueA(key, "Last User ID");
  ::RegCloseKey(key);
  EXPECT_EQ(SlotPath(misc.PathOeStore), "<false>");
  ::RegDeleteKeyA(HKEY_CURRENT_USER, options.c_str());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, (identity + "\\Software\\Microsoft\\Outlook Express").c_str());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, (identity + "\\Software\\Microsoft").c_str());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, (identity + "\\Software").c_str());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, identity.c_str());
}

TEST(MiscCapabilities, FlagsOfTheWindowsXpPrefix) {
  EXPECT_FALSE(MiscLibrary().LegacyCategoriesOff()) << "the prefix reports Windows XP";
  EXPECT_TRUE(MiscLibrary().CapabilityFlag1()) << "Wine runs as an administrator";
}
