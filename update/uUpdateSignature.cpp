#include "update/uUpdateSignature.h"

#include <windows.h>

#include <vector>

#include "base/uFileRead.h"
#include "base/uHandles.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

constexpr DWORD KEY_BITS = 3072;
constexpr DWORD SIGNATURE_BYTES = KEY_BITS / 8;
constexpr DWORD CHUNK = 64 * 1024;

void Refuse(const std::string& filePath, const std::string& reason) {
  Log(LVL_ERROR, "Update: " + filePath + " refused: " + reason);
}

// The trusted key of the running program, imported into the provider; an
// empty owner when the program carries none or it is no RSA 3072 key.
TCryptKey ImportTrustedKey(HCRYPTPROV provider) {
  const HMODULE module = ::GetModuleHandleA(nullptr);
  const HRSRC resource = ::FindResourceA(module, UPDATE_KEY_RESOURCE, RT_RCDATA);
  const HGLOBAL loaded = resource != nullptr ? ::LoadResource(module, resource) : nullptr;
  const void* der = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (der == nullptr) return TCryptKey();
  CERT_PUBLIC_KEY_INFO* info = nullptr;
  DWORD infoSize = 0;
  if (!::CryptDecodeObjectEx(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, static_cast<const BYTE*>(der),
                             ::SizeofResource(module, resource), CRYPT_DECODE_ALLOC_FLAG, nullptr,
                             &info, &infoSize)) {
    return TCryptKey();
  }
  const TLocalMemory infoOwner(info);
  HCRYPTKEY imported = 0;
  if (!::CryptImportPublicKeyInfo(provider, X509_ASN_ENCODING, info, &imported)) {
    return TCryptKey();
  }
  TCryptKey key(imported);
  DWORD bits = 0;
  DWORD size = sizeof bits;
  if (!::CryptGetKeyParam(key.Get(), KP_KEYLEN, reinterpret_cast<BYTE*>(&bits), &size, 0) ||
      bits != KEY_BITS) {
    return TCryptKey();
  }
  return key;
}

// Feeds the whole file to the hash; false when it cannot be read.
bool HashFile(const std::string& filePath, HCRYPTHASH hash) {
  const TFileHandle file(::CreateFileA(filePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  std::vector<BYTE> buffer(CHUNK);
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.Get(), buffer.data(), CHUNK, &read, nullptr)) return false;
    if (read == 0) return true;
    if (!::CryptHashData(hash, buffer.data(), read, 0)) return false;
  }
}

}  // namespace

bool VerifyUpdateSignature(const std::string& filePath) {
  const TFileRead signature = ReadWholeFile(filePath + SIGNATURE_SUFFIX, SIGNATURE_BYTES);
  if (signature.Outcome == TReadOutcome::Missing) {
    Refuse(filePath, "no signature");
    return false;
  }
  if (!signature.Ok() || signature.Bytes.size() != SIGNATURE_BYTES) {
    Refuse(filePath, "bad signature (not one of " + std::to_string(SIGNATURE_BYTES) + " bytes)");
    return false;
  }
  HCRYPTPROV acquired = 0;
  if (!::CryptAcquireContextA(&acquired, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
    Refuse(filePath, "no cryptography provider (" + std::to_string(::GetLastError()) + ")");
    return false;
  }
  const TCryptProvider provider(acquired);
  const TCryptKey key = ImportTrustedKey(provider.Get());
  if (!key) {
    Refuse(filePath, "no trusted key");
    return false;
  }
  HCRYPTHASH created = 0;
  if (!::CryptCreateHash(provider.Get(), CALG_SHA_256, 0, 0, &created)) {
    Refuse(filePath, "no SHA-256 hash (" + std::to_string(::GetLastError()) + ")");
    return false;
  }
  const TCryptHash hash(created);
  if (!HashFile(filePath, hash.Get())) {
    Refuse(filePath, "the file cannot be read");
    return false;
  }
  // The cryptography API takes the signature least significant byte first,
  // the reverse of the order in which it is published.
  std::vector<BYTE> reversed(signature.Bytes.rbegin(), signature.Bytes.rend());
  if (!::CryptVerifySignatureA(hash.Get(), reversed.data(), SIGNATURE_BYTES, key.Get(), nullptr,
                               0)) {
    Refuse(filePath, "bad signature");
    return false;
  }
  return true;
}

void DeleteSignedFile(const std::string& filePath) {
  ::DeleteFileA(filePath.c_str());
  ::DeleteFileA((filePath + SIGNATURE_SUFFIX).c_str());
}

}  // namespace qlm
