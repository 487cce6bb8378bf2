// The recorder's scene file as the program reads and rewrites it (the microphone switch): any content
// is read without a crash, an enabled microphone can be switched off, and a rewrite is stable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <string>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/RecorderProfile.h"

using namespace vorlix;

namespace {

std::string& Folder() {
  static std::string folder = "/tmp/vorlix-scene-fuzz-" + std::to_string(static_cast<long>(getpid()));
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("APPDATA", Folder().c_str(), 1);
  CreateDirectories(Utf8ToWide(Folder() + "/vorlix/basic/scenes"));
  std::atexit([] { std::filesystem::remove_all(Folder()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring& path = GetRecorderScenePath();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (!WriteWholeFile(path, bytes)) return 0;
  bool before = IsMicrophoneEnabled();
  SetMicrophoneEnabled(!before);
  // A microphone the file has on can always be switched off, and the rewrite is stable.
  if (before && IsMicrophoneEnabled()) __builtin_trap();
  std::string once, twice;
  ReadWholeFile(path, once);
  SetMicrophoneEnabled(!before);
  ReadWholeFile(path, twice);
  if (once != twice) __builtin_trap();
  return 0;
}
