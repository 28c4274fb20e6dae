// What the update tests share: the update site of the test run and the
// bytes of hand-made update lists and archives.
#pragma once

#include <cstdint>
#include <map>
#include <string>

// The site made by tests/update/update_site.py: the program files it was
// made from, the published files, the port it is served on and a port where
// nothing listens. Folders with trailing backslash.
std::string SiteSourceFolder();
std::string SitePublishedFolder();
std::string SiteAddress();
std::string DeadSiteAddress();

// Little-endian bytes of a number.
std::string LittleEndian(std::uint64_t value, int size);

// A list header and one entry with its change notes.
std::string ListHeader(std::uint32_t count, const std::string& magic = "QLMU",
                       std::uint32_t version = 0x01000002);
std::string ListEntry(std::int64_t id, std::int64_t size, int kind, std::int64_t value,
                      std::uint64_t date, const std::string& notes);

// Every file below a folder (relative name -> content), to show that a
// failure left it untouched.
std::map<std::string, std::string> FolderSnapshot(const std::string& folder);
