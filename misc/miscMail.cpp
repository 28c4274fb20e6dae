// Mail stores: Outlook Express message stores by their header, Office Outlook
// through its automation server on its default folders.
#include <windows.h>

#include <oleauto.h>

#include <string>

#include "base/uHandles.h"
#include "misc/miscDbxHeader.h"
#include "misc/miscSlots.h"
#include "misc/miscSystem.h"

namespace qlm::misc {

namespace {

constexpr char OUTLOOK_CLSID_KEY[] = "Outlook.Application\\CLSID";

bool IsOutlookFolder(int folderId) {
  return folderId == MISC_OUTLOOK_DELETED || folderId == MISC_OUTLOOK_JUNK;
}

// Calls a method or reads a property of an automation object; the arguments
// are given in the order of the call (automation takes them reversed).
bool Call(IDispatch* object, const wchar_t* name, WORD kind, TVariant& result,
          VARIANT* argument = nullptr) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  DISPPARAMS parameters = {argument, nullptr, argument ? 1u : 0u, 0};
  return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result.Get(),
                                  nullptr, nullptr));
}

// The object a call returns, with its own reference.
bool CallForObject(IDispatch* object, const wchar_t* name, WORD kind, TComPtr<IDispatch>& out,
                   VARIANT* argument = nullptr) {
  TVariant result;
  if (!Call(object, name, kind, result, argument)) return false;
  if (result.Value().vt != VT_DISPATCH || !result.Value().pdispVal) return false;
  *out.Put() = result.Value().pdispVal;
  out->AddRef();
  return true;
}

bool CallForNumber(IDispatch* object, const wchar_t* name, WORD kind, std::int64_t& number,
                   VARIANT* argument = nullptr) {
  TVariant result;
  if (!Call(object, name, kind, result, argument)) return false;
  TVariant converted;
  if (FAILED(::VariantChangeType(converted.Get(), result.Get(), 0, VT_I4))) return false;
  number = converted.Value().lVal;
  return true;
}

// The Items collection of one of Outlook's default folders.
bool OutlookItems(int folderId, TComPtr<IDispatch>& items) {
  CLSID clsid;
  if (FAILED(::CLSIDFromProgID(L"Outlook.Application", &clsid))) return false;
  TComPtr<IDispatch> application;
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(application.Put())))) {
    return false;
  }
  TVariant mapi;
  mapi.Get()->vt = VT_BSTR;
  mapi.Get()->bstrVal = ::SysAllocString(L"MAPI");
  TComPtr<IDispatch> session;
  if (!mapi.Value().bstrVal ||
      !CallForObject(application.Get(), L"GetNamespace", DISPATCH_METHOD, session, mapi.Get())) {
    return false;
  }
  VARIANT id;
  id.vt = VT_I4;
  id.lVal = folderId;
  TComPtr<IDispatch> folder;
  return CallForObject(session.Get(), L"GetDefaultFolder", DISPATCH_METHOD, folder, &id) &&
         CallForObject(folder.Get(), L"Items", DISPATCH_PROPERTYGET, items);
}

// The items of a default folder and their number; the caller holds COM.
bool OpenOutlookFolder(int folderId, TComPtr<IDispatch>& items, std::int64_t& count) {
  return IsOutlookFolder(folderId) && OutlookAvailable() && OutlookItems(folderId, items) &&
         CallForNumber(items.Get(), L"Count", DISPATCH_PROPERTYGET, count);
}

bool ItemAt(IDispatch* items, std::int64_t index, TComPtr<IDispatch>& item) {
  VARIANT position;
  position.vt = VT_I4;
  position.lVal = static_cast<LONG>(index);
  return CallForObject(items, L"Item", DISPATCH_METHOD, item, &position);
}

}  // namespace

extern "C" {

MiscBool MISC_CALL OeMessageCount(const char* storeFile, int* count) {
  if (!storeFile || !*storeFile || !count) return FALSE;
  TFileHandle file(::CreateFileA(storeFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FALSE;
  char header[DBX_HEADER_BYTES];
  DWORD read = 0;
  if (!::ReadFile(file.Get(), header, sizeof header, &read, nullptr)) return FALSE;
  std::int32_t messages = 0;
  if (!DbxMessageCount(std::string_view(header, read), messages)) return FALSE;
  *count = messages;
  return TRUE;
}

// Outlook's automation server is registered when its program id names a
// class that has a local server.
MiscBool MISC_CALL OutlookAvailable() {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, OUTLOOK_CLSID_KEY, 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return FALSE;
  }
  TRegKey key(opened);
  char clsid[64] = {};
  LONG bytes = sizeof clsid - 1;
  if (::RegQueryValueA(key.Get(), nullptr, clsid, &bytes) != ERROR_SUCCESS || !clsid[0]) return FALSE;
  HKEY server = nullptr;
  const std::string serverKey = std::string("CLSID\\") + clsid + "\\LocalServer32";
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, serverKey.c_str(), 0, KEY_QUERY_VALUE, &server) !=
      ERROR_SUCCESS) {
    return FALSE;
  }
  TRegKey serverOwner(server);
  return TRUE;
}

// count = items of the folder, size = the sum of their Size properties.
MiscBool MISC_CALL OutlookFolderTotals(int folderId, std::int64_t* count, std::int64_t* size) {
  if (!count || !size) return FALSE;
  TComSession com;
  TComPtr<IDispatch> items;
  std::int64_t total = 0;
  if (!com.Ready() || !OpenOutlookFolder(folderId, items, total)) return FALSE;
  std::int64_t bytes = 0;
  for (std::int64_t index = 1; index <= total; ++index) {
    TComPtr<IDispatch> item;
    std::int64_t itemSize = 0;
    if (ItemAt(items.Get(), index, item) &&
        CallForNumber(item.Get(), L"Size", DISPATCH_PROPERTYGET, itemSize)) {
      bytes += itemSize;
    }
  }
  *count = total;
  *size = bytes;
  return TRUE;
}

// Deletes the items from the last to the first, so that each deletion leaves
// the positions still to come in place; true when the folder is empty.
MiscBool MISC_CALL EmptyOutlookFolder(int folderId) {
  TComSession com;
  TComPtr<IDispatch> items;
  std::int64_t total = 0;
  if (!com.Ready() || !OpenOutlookFolder(folderId, items, total)) return FALSE;
  for (std::int64_t index = total; index >= 1; --index) {
    TComPtr<IDispatch> item;
    TVariant ignored;
    if (ItemAt(items.Get(), index, item)) Call(item.Get(), L"Delete", DISPATCH_METHOD, ignored);
  }
  std::int64_t left = 0;
  return CallForNumber(items.Get(), L"Count", DISPATCH_PROPERTYGET, left) && left == 0;
}

}  // extern "C"

}  // namespace qlm::misc
