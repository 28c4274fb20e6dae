// The signatures of the update site's files: the publisher signs the update
// list and every archive with its RSA 3072 private key (PKCS#1 v1.5 over
// SHA-256), and the program trusts only the public key it carries as the
// resource UPDATEKEY of its own executable.
#pragma once

#include <string>

namespace qlm {

// A file's signature lies beside it under its name + this suffix.
inline constexpr char SIGNATURE_SUFFIX[] = ".sig";
// The trusted key: DER SubjectPublicKeyInfo of an RSA 3072 key, an RCDATA
// resource of the running program's main module.
inline constexpr char UPDATE_KEY_RESOURCE[] = "UPDATEKEY";

// True only when filePath + ".sig" holds a valid signature of the file's
// bytes by the trusted key. Every refusal is logged with its reason.
bool VerifyUpdateSignature(const std::string& filePath);

// Deletes a downloaded file and its signature, so that a signature never
// outlives its file and pairs with a later one.
void DeleteSignedFile(const std::string& filePath);

}  // namespace qlm
