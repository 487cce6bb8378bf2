// libFuzzer target for the markup painter: arbitrary texts (and style flags, box width, link capacity
// taken from the first bytes) must never crash, read or write out of bounds, or loop without end.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStringResource.h"
#include "unit/ui_render/CRecordingPainter.h"

using namespace vorlix;

namespace {
std::wstring Resource(unsigned id) { return id % 3 == 0 ? std::wstring() : L"<b>r%{" + std::to_wstring(id) + L"}</b>"; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static bool once = [] {
    SetUIStringResolver(&Resource);
    CUIImageList::Register(1, std::make_shared<test::CFakeImage>(40, 20), 20);
    CUIImageList::Register(2, std::make_shared<test::CFakeImage>(3, 3), 0);
    return true;
  }();
  (void)once;
  if (size < 4) return 0;
  static const unsigned kStyles[] = {UITEXT_CENTER, UITEXT_RIGHT, UITEXT_VCENTER, UITEXT_WORDBREAK,
                                     UITEXT_SINGLELINE, UITEXT_CALCRECT, UITEXT_NOPREFIX, UITEXT_END_ELLIPSIS};
  unsigned style = 0;
  for (int i = 0; i < 8; ++i) style |= (data[0] >> i & 1) ? kStyles[i] : 0;
  int width = data[1] == 255 ? 9999 : data[1];
  int capacity = data[2] % 5;
  // Characters from pairs of bytes, biased toward the markup's own characters.
  std::wstring text;
  static const wchar_t kAlphabet[] = L"<>/abcfhipx #&%{}0123456789\n ";
  for (std::size_t i = 3; i + 1 < size; i += 2) {
    if (data[i] & 0x80) {
      text += kAlphabet[data[i + 1] % (sizeof(kAlphabet) / sizeof(wchar_t) - 1)];
    } else {
      text += static_cast<wchar_t>(data[i + 1] | ((data[i] & 0x7F) << 8));
    }
  }
  test::CRecordingPainter painter;
  UIMarkupContext ctx;
  ctx.ptMouse = MakeUIPoint(data[3] % 64, data[3] / 4);
  ctx.bShowAccelerators = (data[2] & 0x80) != 0;
  UIRect links[4] = {MakeUIRect(0, 0, 30, 20), MakeUIRect(10, 10, 60, 40)};
  int n = capacity;
  UIRect rc = MakeUIRect(0, 0, width, 300);
  DrawPrettyText(painter, ctx, rc, text.c_str(), 0, kUIColorNoBackground, links, n, style);
  if (n < 0 || n > capacity || !painter.clipStack.empty()) __builtin_trap();
  UIRect out;
  n = capacity;
  rc = MakeUIRect(0, 0, width, 300);
  DrawPrettyTextEx(painter, ctx, rc, text.c_str(), 0, 0xffffff, links, n, style, data[2] % 7, &out);
  // The entry the controls use: colours as style indices, the last index meaning no background.
  n = capacity;
  rc = MakeUIRect(0, 0, width, 300);
  DrawPrettyTextStyle(painter, ctx, rc, text.c_str(), data[3] % 70, data[4 % size] % 70, links, n, style);
  if (n < 0 || n > capacity || !painter.clipStack.empty()) __builtin_trap();
  return 0;
}
