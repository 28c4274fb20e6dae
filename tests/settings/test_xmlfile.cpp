#include <gtest/gtest.h>

#include "settings/XMLFile.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

// A document file below the test program's folder, where TXMLFile looks.
class XMLFileTest : public ::testing::Test {
 protected:
  std::string FileName() const { return fFolder.Name() + "\\doc.xml"; }
  std::string FullPath() const { return fFolder.Path() + "doc.xml"; }

  TTempFolder fFolder{TestFolder()};
};

}  // namespace

TEST(XMLPath, Normalisation) {
  struct Case {
    const char* path;
    std::vector<std::string> names;
  } cases[] = {
      {"a\\b\\c", {"a", "b", "c"}},
      {"  \\a\\b\\  ", {"a", "b"}},
      {"my key\\x", {"my_key", "x"}},
      {"\\\\a", {"", "a"}},  // only one leading delimiter is removed
      {"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitXMLPath(c.path), c.names) << c.path;
  EXPECT_EQ(JoinXMLParts({"application", "options", "core"}), "\\application\\options\\core");
}

TEST_F(XMLFileTest, ReadValueTakesOnlyOneNonEmptyTextChild) {
  TXMLFile xml(FileName());
  xml.SetXML(
      "<r><text>v</text><blank> x </blank><empty/><emptypair></emptypair>"
      "<nested><c>1</c></nested><cdata><![CDATA[x]]></cdata><mixed>a<b/></mixed>"
      "<my_key>under</my_key></r>");
  struct Case {
    const char* path;
    std::optional<std::string> expected;
  } cases[] = {
      {"r\\text", "v"},         {"r\\blank", " x "},  {"r\\empty", "def"},
      {"r\\emptypair", "def"},  {"r\\nested", "def"}, {"r\\cdata", "def"},
      {"r\\mixed", "def"},      {"r\\missing", "def"}, {" \\r\\my key\\ ", "under"},
  };
  for (const Case& c : cases) EXPECT_EQ(xml.ReadValue(c.path, "def"), c.expected) << c.path;
}

TEST_F(XMLFileTest, AttributesReadNullOnlyForAPresentElement) {
  TXMLFile xml(FileName());
  xml.SetXML("<application title=\"quillmere pro\"/>");
  EXPECT_EQ(xml.ReadAttribute("application", "title", "def"), "quillmere pro");
  EXPECT_EQ(xml.ReadAttribute("application", "version", "def"), std::nullopt);
  EXPECT_EQ(xml.ReadAttribute("nothing", "title", "def"), "def");

  xml.WriteAttribute("application", "version", "1.0");
  xml.WriteAttribute("nothing", "version", "1.0");
  EXPECT_EQ(xml.ReadAttribute("application", "version", "def"), "1.0");
}

TEST_F(XMLFileTest, AddValueUnderABaseAppendsSiblings) {
  TXMLFile xml(FileName());
  xml.AddValue("application", "");
  xml.AddNode({"application", "options", "scan"}, true);
  xml.AddValue("hidepath", "true");
  xml.AddValue("hidepath", "false");
  xml.ClearBase();
  EXPECT_EQ(xml.ReadValue("application\\options\\scan\\hidepath", std::nullopt), "true");

  xml.SetBaseParts({"application", "options"});
  EXPECT_EQ(xml.ReadValue("scan\\hidepath", std::nullopt), "true");
  xml.SetBase("no\\such");
  EXPECT_EQ(xml.ReadValue("application\\options\\scan\\hidepath", "def"), "true")
      << "a base that does not resolve is none";
}

TEST_F(XMLFileTest, SavedFileIsOneUtf8LineWithoutDeclaration) {
  {
    TXMLFile xml(FileName());
    xml.SetXML("<?xml version=\"1.0\"?>\r\n<old>\r\n  <x>1</x>\r\n</old>");
    xml.SetXML("");  // also drops the declaration
    xml.AddValue("application", "");
    xml.WriteAttribute("application", "title", "quillmere pro");
    xml.AddNode({"application", "options", "main"}, true);
    xml.AddValue("folder", "C:\\Caf\xE9\\");
    xml.ClearBase();
    xml.Save();
  }
  EXPECT_EQ(ReadFileBytes(FullPath()),
            "<application title=\"quillmere pro\"><options><main><folder>C:\\Caf\xC3\xA9\\"
            "</folder></main></options></application>");
  EXPECT_FALSE(IsExistingFile(FullPath() + ".tmp"));

  TXMLFile again(FileName());
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.ReadValue("application\\options\\main\\folder", std::nullopt), "C:\\Caf\xE9\\");
}

TEST_F(XMLFileTest, IndentedFileWithDeclarationReadsTheSame) {
  WriteFileBytes(FullPath(),
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<application version=\"1.0\">\r\n"
                 "  <options>\r\n    <log>\r\n      <level>5</level>\r\n    </log>\r\n"
                 "  </options>\r\n</application>\r\n");
  TXMLFile xml(FileName());
  ASSERT_TRUE(xml.Load());
  EXPECT_EQ(xml.ReadValue("application\\options\\log\\level", std::nullopt), "5");
  EXPECT_EQ(xml.ReadAttribute("application", "version", std::nullopt), "1.0");
}

TEST_F(XMLFileTest, FailedLoadLeavesAnEmptyDocument) {
  WriteFileBytes(FullPath(), "<application><options>");
  TXMLFile xml(FileName());
  xml.SetXML("<application/>");
  EXPECT_FALSE(xml.Load());
  EXPECT_FALSE(xml.FindPath("application"));

  TXMLFile missing(fFolder.Name() + "\\none.xml");
  EXPECT_FALSE(missing.Load());
}

TEST_F(XMLFileTest, MalformedTextIsRefusedAndTheDocumentKept) {
  TXMLFile xml(FileName());
  ASSERT_TRUE(xml.SetXML("<a>1</a>"));
  EXPECT_FALSE(xml.SetXML("<a><b>"));
  EXPECT_EQ(xml.ReadValue("a", std::nullopt), "1");
  EXPECT_TRUE(xml.SetXML(""));
  EXPECT_FALSE(xml.FindPath("a"));
}

TEST_F(XMLFileTest, FailedSaveKeepsTheOldFileAndRaises) {
  WriteFileBytes(FullPath(), "<old/>");
  TXMLFile xml(FileName());
  xml.AddValue("new", "");
  // A reader that shares nothing blocks the replacement.
  TFileHandle lock(::CreateFileA(FullPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                 nullptr));
  ASSERT_TRUE(lock.Valid());
  EXPECT_THROW(xml.Save(), EXMLFileError);
  lock.Reset();
  EXPECT_EQ(ReadFileBytes(FullPath()), "<old/>");
  EXPECT_FALSE(IsExistingFile(FullPath() + ".tmp"));
}

TEST(XMLFileCom, AThreadInAnotherApartmentIsAccepted) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
  {
    TXMLFile xml("unused.xml");
    xml.SetXML("<a>1</a>");
    EXPECT_EQ(xml.ReadValue("a", std::nullopt), "1");
  }
  ::CoUninitialize();
}
