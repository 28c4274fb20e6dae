#include "update/uMD5File.h"

#include <windows.h>

#include "base/uHandles.h"

namespace qlm {

void MD5File(const std::string& path, TMD5Digest& digest) {
  TMD5Context context;
  MD5Init(context);
  TFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file) {
    DWORD high = 0;
    const DWORD size = ::GetFileSize(file.Get(), &high);
    THandle mapping(::CreateFileMappingA(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (mapping && size != INVALID_FILE_SIZE) {
      TMappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
      if (view) MD5Update(context, view.Get(), size);
    }
  }
  MD5Final(context, digest);
}

}  // namespace qlm
