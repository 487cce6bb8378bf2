#include "screens/main/MainHover.h"

#include "screens/main/MainWindowIds.h"

namespace vorlix {

HoverDecision DecideHover(bool controlFound, bool controlVisible, int id, bool userPanelVisible) {
  HoverDecision d;
  if (!controlFound || !controlVisible) return d;
  d.handled = true;
  if (id == kIdUserIcon || id == kIdUserPanel || id == kIdUserName || id == kIdLogoutLink) {
    d.showUserPanel = true;
  } else if (userPanelVisible) {
    d.hideUserPanel = true;
  }
  if (id == kIdRecordButton) d.tip = HoverTip::Record;
  if (id == kIdReplayButton) d.tip = HoverTip::Replay;
  return d;
}

const HoverTipLayout& TipLayout(HoverTip tip) {
  static const HoverTipLayout record{L"<c #000000>生成视频将耗费硬件资源，建议游戏结束后再生成视频</c>",
                                     {235, 150, 495, 190}, {237, 156, 495, 196}};
  static const HoverTipLayout replay{L"<c #000000>游戏过程中使用快捷键便捷纪录过去60s</c>",
                                     {55, 150, 315, 190}, {57, 163, 315, 203}};
  static const HoverTipLayout none{L"", {55, 150, 315, 190}, {55, 158, 315, 198}};
  if (tip == HoverTip::Record) return record;
  if (tip == HoverTip::Replay) return replay;
  return none;
}

}  // namespace vorlix
