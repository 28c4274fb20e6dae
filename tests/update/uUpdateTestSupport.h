// What the update tests share: the update site of the test run and the
// bytes of hand-made update lists and archives.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "update/uUpdateList.h"

// The site made by tests/update/update_site.py, signed with the key that
// the test programs trust: the program files it was made from, the
// published files, the port it is served on and a port where nothing
// listens. Folders with trailing backslash.
std::string SiteSourceFolder();
std::string SitePublishedFolder();
std::string SiteAddress();
std::string DeadSiteAddress();

// The site's variants ("two", "older", "otherkey", "badmagic", "replayed";
// see the script): the address that serves one (the update path follows it)
// and the local folder of its published files.
std::string SiteAddress(const std::string& variant);
std::string SiteVariantFolder(const std::string& variant);
// The program files a variant was published from.
std::string SiteSourceFolder(const std::string& variant);

// The build's quillmere.exe and update.bin with the test key in place of the
// release key.
std::string InstalledWithTestKey();

// The entry of a row in the update list published in a folder; throws when
// it offers none.
qlm::TUpdateRecordEx PublishedEntry(const std::string& folder, std::int64_t id);

// Copies a published file and its signature from one folder to another.
void CopySigned(const std::string& fromFolder, const std::string& name,
                const std::string& toFolder);

// Writes path + ".sig" as the publishing tool would, with the test key.
void SignWithTestKey(const std::string& path);

// Little-endian bytes of a number.
std::string LittleEndian(std::uint64_t value, int size);

// A list header and one entry with its change notes.
std::string ListHeader(std::uint32_t count, const std::string& magic = "QLMU",
                       std::uint32_t version = 0x01000002,
                       std::uint16_t machine = qlm::OWN_UPDATE_MACHINE);
std::string ListEntry(std::int64_t id, std::int64_t size, int kind, std::int64_t value,
                      std::uint64_t date, const std::string& notes);

// Every file below a folder (relative name -> content), to show that a
// failure left it untouched.
std::map<std::string, std::string> FolderSnapshot(const std::string& folder);
// The same of a program folder without its download folder "updates\", which
// receives what comes from the site by design.
std::map<std::string, std::string> InstalledSnapshot(const std::string& programFolder);
