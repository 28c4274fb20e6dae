// Unpacking of the update archives: one file, inflated from its zlib stream
// and checked against the MD5 digest stored beside it.
#pragma once

#include <functional>
#include <string>

#include "update/uArchiveUnpack.h"

namespace qlm {

// The fixed fields of an archive; raises EUnpackError when it cannot be read.
TArchiveHeader ReadArchiveHeader(const std::string& archivePath);

class TCompression {
 public:
  using TProgress = std::function<void(TCompression&)>;

  // Called at each of the four steps of an unpacking, each followed by a
  // pause of 100 ms so that the caller's animation stays visible.
  void SetProgress(TProgress progress) { fProgress = std::move(progress); }

  // Unpacks the archive's file into the folder under its stored name, which
  // must be `expectedName`; returns whether its digest matches the stored
  // one (the file stays either way). A refused header fails before a byte
  // is written; a damaged stream, or one that holds more or less than S
  // bytes, removes the partial file. Both raise EUnpackError.
  bool UnpackArchive(const std::string& archivePath, const std::string& destinationFolder,
                     const std::string& expectedName);

 private:
  void ProgressStep();

  TProgress fProgress;
};

}  // namespace qlm
