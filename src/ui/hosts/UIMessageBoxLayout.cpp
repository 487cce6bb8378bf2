#include "ui/hosts/UIMessageBoxLayout.h"

#include <algorithm>

namespace vorlix {

namespace {

std::vector<UIMessageBoxButton> ButtonSet(unsigned type) {
  switch (type & 0x0F) {
    case kMsgBoxOkCancel:
      return {{kMsgBoxOkId, L"确定", L"ok", {}}, {kMsgBoxCancelId, L"取消", L"cancel", {}}};
    case kMsgBoxYesNoCancel:
      return {{kMsgBoxYesId, L"是", L"ok", {}}, {kMsgBoxNoId, L"否", L"cancel", {}},
              {kMsgBoxCancelId, L"取消", L"cancel", {}}};
    case kMsgBoxYesNo:
      return {{kMsgBoxYesId, L"是", L"ok", {}}, {kMsgBoxNoId, L"否", L"cancel", {}}};
    default:
      return {{kMsgBoxOkId, L"确定", L"ok", {}}};
  }
}

}  // namespace

UIMessageBoxLayout LayoutMessageBox(const UIMessageBoxStyle& style, unsigned type, UISize icon, UISize text,
                                    UISize closeFrame) {
  UIMessageBoxLayout out;
  const int m = style.nMargin;
  const int bw = style.cxButton;
  const int bh = style.cyButton;
  const int gap = style.nButtonGap;

  int width = std::max(3 * m + icon.cx + text.cx, 3 * m + 2 * bw);
  if ((type & 0x0F) == kMsgBoxYesNoCancel) width += kMsgBoxYesNoCancelExtra;
  const int height = style.nTitleHeight + 3 * m + bh + std::max(icon.cy, text.cy);
  out.size.cx = width;
  out.size.cy = height;

  const int c = style.nCornerSize;
  out.region = {MakeUIPoint(c, 0),          MakeUIPoint(width - c, 0), MakeUIPoint(width, c),
                MakeUIPoint(width, height - c), MakeUIPoint(width - c, height), MakeUIPoint(c, height),
                MakeUIPoint(0, height - c), MakeUIPoint(0, c)};

  const int closeLeft = width - style.nCloseRight - closeFrame.cx;
  out.rcClose = MakeUIRect(closeLeft, style.nCloseTop, closeLeft + closeFrame.cx, style.nCloseTop + closeFrame.cy);
  const bool titleSet = style.xTitle != 0 || style.yTitle != 0;
  const int titleLeft = titleSet ? style.xTitle : closeFrame.cx;
  const int titleTop = titleSet ? style.yTitle : style.nCloseTop;
  out.rcTitle = MakeUIRect(titleLeft, titleTop, closeLeft, titleTop + closeFrame.cy);

  const int contentTop = style.nTitleHeight + m;
  out.rcIcon = MakeUIRect(m, contentTop, m + icon.cx, contentTop + icon.cy);
  const int buttonTop = height - (bh + m);
  out.rcText = MakeUIRect(2 * m + icon.cx, contentTop + 5, width - m, buttonTop);

  out.buttons = ButtonSet(type);
  const int n = static_cast<int>(out.buttons.size());
  // The row is centred whatever the number of buttons.
  int x = (width - n * bw - (n - 1) * gap) / 2;
  for (UIMessageBoxButton& b : out.buttons) {
    b.rc = MakeUIRect(x, buttonTop, x + bw, buttonTop + bh);
    x += bw + gap;
  }
  return out;
}

int MessageBoxIconIndex(unsigned type) {
  switch (type & 0xF0) {
    case kMsgBoxIconExclamation:
      return 1;
    case kMsgBoxIconQuestion:
      return 2;
    case kMsgBoxIconError:
      return 3;
    default:
      return 4;
  }
}

int MessageBoxResultFor(int controlId) {
  switch (controlId) {
    case kMsgBoxOkId:
      return 1;
    case kMsgBoxCancelId:
    case kMsgBoxCloseId:
      return 2;
    case kMsgBoxYesId:
      return 6;
    case kMsgBoxNoId:
      return 7;
    default:
      return -1;
  }
}

}  // namespace vorlix
