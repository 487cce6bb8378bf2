// The text conversions on arbitrary bytes: never a crash, and valid text survives the round trip.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/TextConv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::wstring fromUtf8 = vorlix::Utf8ToWide(bytes);
  std::string utf8 = vorlix::WideToUtf8(fromUtf8);
  if (vorlix::Utf8ToWide(utf8) != fromUtf8) __builtin_trap();
  std::wstring fromAnsi = vorlix::AnsiToWide(bytes);
  (void)vorlix::WideToAnsi(fromAnsi);
  std::wstring fromGbk = vorlix::Cp936ToWide(bytes);
  (void)vorlix::WideToCp936(fromGbk);
  // Wide text from raw units, including lone surrogates and values beyond Unicode.
  std::wstring wide;
  for (std::size_t i = 0; i + 1 < size; i += 2) wide += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
  (void)vorlix::WideToUtf8(wide);
  (void)vorlix::WideToAnsi(wide);
  (void)vorlix::WideToCp936(wide);
  return 0;
}
