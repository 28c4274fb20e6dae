// Internet Explorer's URL history, through the shell's URL history service:
// count = URLs, size 0 (the list has no bytes of its own that a clean would
// free); the clean clears that history.
//
// Where the service cannot enumerate its URLs (Wine's answers "not
// implemented"), the history entries of the URL cache, the "Visited:"
// entries that the service keeps, are counted and deleted one by one
// instead; totals and clean always take the same road.
#include <windows.h>

#include <shlguid.h>
#include <urlhist.h>
#include <wininet.h>

#include <set>
#include <string>
#include <vector>

#include "base/uHandles.h"
#include "base/uText.h"
#include "misc/miscSlots.h"
#include "misc/miscSystem.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

constexpr char HISTORY_PREFIX[] = "Visited:";

struct TUrlCacheFindTraits {
  static HANDLE None() noexcept { return nullptr; }
  static void Close(HANDLE h) noexcept { ::FindCloseUrlCache(h); }
};
using TUrlCacheFind = TOwned<HANDLE, TUrlCacheFindTraits>;

bool OpenUrlHistory(TComPtr<IUrlHistoryStg2>& history) {
  return SUCCEEDED(::CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IUrlHistoryStg2, reinterpret_cast<void**>(history.Put())));
}

// The service's URL count; false when it cannot enumerate. The caller holds
// COM.
bool ServiceCount(IUrlHistoryStg2* history, std::int64_t& count) {
  TComPtr<IEnumSTATURL> urls;
  if (FAILED(history->EnumUrls(urls.Put())) || !urls) return false;
  count = 0;
  STATURL entry = {};
  entry.cbSize = sizeof entry;
  ULONG fetched = 0;
  while (urls->Next(1, &entry, &fetched) == S_OK && fetched == 1) {
    ::CoTaskMemFree(entry.pwcsUrl);
    ::CoTaskMemFree(entry.pwcsTitle);
    entry.pwcsUrl = nullptr;
    entry.pwcsTitle = nullptr;
    ++count;
  }
  return true;
}

// Reads one entry into buffer, growing it when the entry does not fit.
template <typename Read>
bool ReadCacheEntry(std::vector<char>& buffer, Read read) {
  DWORD size = static_cast<DWORD>(buffer.size());
  if (read(reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()), &size)) return true;
  if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
  buffer.resize(size);
  return read(reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()), &size);
}

// The "Visited:" entries of the URL cache. Windows lists them for the search
// pattern "visited:", Wine only in the unfiltered listing, so both are read
// and only the history entries kept.
std::set<std::string> CacheHistoryEntries() {
  std::set<std::string> names;
  std::vector<char> buffer(4096);
  const auto entry = [&] { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()); };
  for (const char* pattern : {"visited:", static_cast<const char*>(nullptr)}) {
    TUrlCacheFind find;
    if (!ReadCacheEntry(buffer, [&](INTERNET_CACHE_ENTRY_INFOA* info, DWORD* size) {
          find.Reset(::FindFirstUrlCacheEntryA(pattern, info, size));
          return find.Valid();
        })) {
      continue;
    }
    do {
      const std::string_view name = ArgText(entry()->lpszSourceUrlName);
      if (SameTextIgnoringCase(name.substr(0, sizeof HISTORY_PREFIX - 1), HISTORY_PREFIX)) {
        names.emplace(name);
      }
    } while (ReadCacheEntry(buffer, [&](INTERNET_CACHE_ENTRY_INFOA* info, DWORD* size) {
      return ::FindNextUrlCacheEntryA(find.Get(), info, size) != FALSE;
    }));
  }
  return names;
}

bool DeleteCacheHistory() {
  bool all = true;
  for (const std::string& name : CacheHistoryEntries()) {
    all = ::DeleteUrlCacheEntryA(name.c_str()) && all;
  }
  return all;
}

}  // namespace

extern "C" {

MiscBool MISC_CALL IeHistoryTotals(std::int64_t* count, std::int64_t* size) {
  if (!count || !size) return FALSE;
  TComSession com;
  TComPtr<IUrlHistoryStg2> history;
  if (!com.Ready() || !OpenUrlHistory(history)) return FALSE;
  std::int64_t entries = 0;
  if (!ServiceCount(history.Get(), entries)) {
    entries = static_cast<std::int64_t>(CacheHistoryEntries().size());
  }
  *count = entries;
  *size = 0;
  return TRUE;
}

MiscBool MISC_CALL CleanIeHistory() {
  TComSession com;
  TComPtr<IUrlHistoryStg2> history;
  if (!com.Ready() || !OpenUrlHistory(history)) return FALSE;
  std::int64_t entries = 0;
  if (ServiceCount(history.Get(), entries)) return SUCCEEDED(history->ClearHistory());
  return DeleteCacheHistory();
}

}  // extern "C"

}  // namespace qlm::misc
