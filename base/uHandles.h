// Owners of Windows handles: each wrapper closes its handle exactly once, on
// every path. Moving transfers ownership; copying is not allowed.
#pragma once

#include <windows.h>

#include <utility>

namespace qlm {

// A handle type with its "none" value and its release function.
template <typename H, typename Traits>
class TOwned {
 public:
  TOwned() noexcept = default;
  explicit TOwned(H handle) noexcept : fHandle(handle) {}
  ~TOwned() { Reset(); }
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  TOwned(TOwned&& other) noexcept : fHandle(other.Release()) {}
  TOwned& operator=(TOwned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  H Get() const noexcept { return fHandle; }
  bool Valid() const noexcept { return fHandle != Traits::None(); }
  explicit operator bool() const noexcept { return Valid(); }

  H Release() noexcept { return std::exchange(fHandle, Traits::None()); }
  void Reset(H handle = Traits::None()) noexcept {
    H old = std::exchange(fHandle, handle);
    if (old != Traits::None()) Traits::Close(old);
  }

 private:
  H fHandle = Traits::None();
};

struct TKernelHandleTraits {
  static HANDLE None() noexcept { return nullptr; }
  static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
// CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
struct TFileHandleTraits {
  static HANDLE None() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct TFindHandleTraits {
  static HANDLE None() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::FindClose(h); }
};
struct TModuleTraits {
  static HMODULE None() noexcept { return nullptr; }
  static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
struct TKeyTraits {
  static HKEY None() noexcept { return nullptr; }
  static void Close(HKEY h) noexcept { ::RegCloseKey(h); }
};
struct TBitmapTraits {
  static HBITMAP None() noexcept { return nullptr; }
  static void Close(HBITMAP h) noexcept { ::DeleteObject(h); }
};
struct TIconTraits {
  static HICON None() noexcept { return nullptr; }
  static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};
struct TGdiObjectTraits {
  static HGDIOBJ None() noexcept { return nullptr; }
  static void Close(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
struct TMemoryDCTraits {
  static HDC None() noexcept { return nullptr; }
  static void Close(HDC h) noexcept { ::DeleteDC(h); }
};
struct TMappedViewTraits {
  static const void* None() noexcept { return nullptr; }
  static void Close(const void* p) noexcept { ::UnmapViewOfFile(p); }
};
// The cryptography API's handles are all plain numbers; the traits keep
// them apart.
struct TCryptProviderTraits {
  static HCRYPTPROV None() noexcept { return 0; }
  static void Close(HCRYPTPROV h) noexcept { ::CryptReleaseContext(h, 0); }
};
struct TCryptKeyTraits {
  static HCRYPTKEY None() noexcept { return 0; }
  static void Close(HCRYPTKEY h) noexcept { ::CryptDestroyKey(h); }
};
struct TCryptHashTraits {
  static HCRYPTHASH None() noexcept { return 0; }
  static void Close(HCRYPTHASH h) noexcept { ::CryptDestroyHash(h); }
};
// Memory that a system function allocated with LocalAlloc for its caller.
struct TLocalMemoryTraits {
  static void* None() noexcept { return nullptr; }
  static void Close(void* p) noexcept { ::LocalFree(p); }
};

using THandle = TOwned<HANDLE, TKernelHandleTraits>;
using TFileHandle = TOwned<HANDLE, TFileHandleTraits>;
using TFindHandle = TOwned<HANDLE, TFindHandleTraits>;
using TModule = TOwned<HMODULE, TModuleTraits>;
using TRegKey = TOwned<HKEY, TKeyTraits>;
using TBitmap = TOwned<HBITMAP, TBitmapTraits>;
using TIcon = TOwned<HICON, TIconTraits>;
using TGdiObject = TOwned<HGDIOBJ, TGdiObjectTraits>;
using TMemoryDC = TOwned<HDC, TMemoryDCTraits>;
using TMappedView = TOwned<const void*, TMappedViewTraits>;
using TCryptProvider = TOwned<HCRYPTPROV, TCryptProviderTraits>;
using TCryptKey = TOwned<HCRYPTKEY, TCryptKeyTraits>;
using TCryptHash = TOwned<HCRYPTHASH, TCryptHashTraits>;
using TLocalMemory = TOwned<void*, TLocalMemoryTraits>;

// A device context borrowed from a window with GetDC.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) noexcept : fWindow(window), fDC(::GetDC(window)) {}
  ~TWindowDC() {
    if (fDC) ::ReleaseDC(fWindow, fDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const noexcept { return fDC; }

 private:
  HWND fWindow;
  HDC fDC;
};

// An object selected into a device context until the end of the scope, when
// the one it replaced is selected again.
class TSelectedObject {
 public:
  TSelectedObject(HDC dc, HGDIOBJ object) noexcept : fDC(dc), fOld(::SelectObject(dc, object)) {}
  ~TSelectedObject() {
    if (fOld != nullptr && fOld != HGDI_ERROR) ::SelectObject(fDC, fOld);
  }
  TSelectedObject(const TSelectedObject&) = delete;
  TSelectedObject& operator=(const TSelectedObject&) = delete;

 private:
  HDC fDC;
  HGDIOBJ fOld;
};

// A critical section that can be tried without waiting.
class TCriticalSection {
 public:
  TCriticalSection() noexcept { ::InitializeCriticalSection(&fSection); }
  ~TCriticalSection() { ::DeleteCriticalSection(&fSection); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void Enter() noexcept { ::EnterCriticalSection(&fSection); }
  bool TryEnter() noexcept { return ::TryEnterCriticalSection(&fSection) != FALSE; }
  void Leave() noexcept { ::LeaveCriticalSection(&fSection); }

 private:
  CRITICAL_SECTION fSection;
};

// Holds an entered critical section until the end of the scope.
class TLockGuard {
 public:
  explicit TLockGuard(TCriticalSection& section) noexcept : fSection(section) { fSection.Enter(); }
  ~TLockGuard() { fSection.Leave(); }
  TLockGuard(const TLockGuard&) = delete;
  TLockGuard& operator=(const TLockGuard&) = delete;

 private:
  TCriticalSection& fSection;
};

// COM on this thread for a scope: initialised as a single-threaded
// apartment and uninitialised once when that succeeded. A thread that
// already has COM in another mode keeps it (Result() tells).
class TComInit {
 public:
  TComInit() noexcept : fResult(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TComInit() {
    if (Initialised()) ::CoUninitialize();
  }
  TComInit(const TComInit&) = delete;
  TComInit& operator=(const TComInit&) = delete;

  bool Initialised() const noexcept { return SUCCEEDED(fResult); }
  HRESULT Result() const noexcept { return fResult; }

 private:
  HRESULT fResult;
};

// An automation value cleared exactly once.
class TVariant {
 public:
  TVariant() noexcept { ::VariantInit(&fValue); }
  ~TVariant() { ::VariantClear(&fValue); }
  TVariant(const TVariant&) = delete;
  TVariant& operator=(const TVariant&) = delete;

  VARIANT* Get() noexcept { return &fValue; }
  const VARIANT& Value() const noexcept { return fValue; }

 private:
  VARIANT fValue;
};

// A COM interface pointer released exactly once.
template <typename I>
class TComPtr {
 public:
  TComPtr() noexcept = default;
  ~TComPtr() { Reset(); }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  TComPtr(TComPtr&& other) noexcept : fPtr(std::exchange(other.fPtr, nullptr)) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      fPtr = std::exchange(other.fPtr, nullptr);
    }
    return *this;
  }

  I* Get() const noexcept { return fPtr; }
  I* operator->() const noexcept { return fPtr; }
  explicit operator bool() const noexcept { return fPtr != nullptr; }
  // For functions that return a new reference through an out argument.
  I** Put() noexcept {
    Reset();
    return &fPtr;
  }
  void Reset() noexcept {
    if (fPtr) std::exchange(fPtr, nullptr)->Release();
  }

 private:
  I* fPtr = nullptr;
};

// A BSTR freed exactly once.
class TBstr {
 public:
  TBstr() noexcept = default;
  explicit TBstr(const wchar_t* text) : fText(::SysAllocString(text)) {}
  ~TBstr() { ::SysFreeString(fText); }
  TBstr(const TBstr&) = delete;
  TBstr& operator=(const TBstr&) = delete;

  BSTR Get() const noexcept { return fText; }
  // For functions that return a new BSTR through an out argument.
  BSTR* Put() noexcept {
    ::SysFreeString(std::exchange(fText, nullptr));
    return &fText;
  }
  UINT Length() const noexcept { return ::SysStringLen(fText); }

 private:
  BSTR fText = nullptr;
};

}  // namespace qlm
