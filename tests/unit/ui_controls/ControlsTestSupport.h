#pragma once
// Shared fixtures of the control tests: a window-less manager with a vertical root, a listener that
// keeps "type:sender-id" lines, and the recording painter as the measuring surface.

#include <string>
#include <vector>

#include "ui/controls/UIMeasure.h"
#include "ui/core/CUIManager.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "ui/render/UIStyle.h"
#include "unit/ui_render/CRecordingPainter.h"

namespace vorlix {
namespace test {

class CNotifyLog : public INotifyUI {
 public:
  std::vector<std::string> lines;
  void Notify(const UINotification& msg) override {
    lines.push_back(std::to_string(msg.Type) + ":" + std::to_string(msg.pSender != nullptr ? msg.pSender->GetId() : 0));
  }
  int Count(int type, int id) const {
    int n = 0;
    for (const auto& l : lines) n += l == std::to_string(type) + ":" + std::to_string(id) ? 1 : 0;
    return n;
  }
};

struct CControlsFixture {
  CRecordingPainter measure;
  CUIManager manager;
  CVerticalLayoutUI* root = new CVerticalLayoutUI();
  CNotifyLog log;

  CControlsFixture() {
    CUIStyleTable::ResetDefaults();
    SetMeasurePainterOverride(&measure);
    root->SetPos(0, 0, 400, 400);
    manager.AttachRoot(root);
    manager.AddNotifier(&log);
  }
  ~CControlsFixture() { SetMeasurePainterOverride(nullptr); }

  template <class T>
  T* Add(T* control, int id, const UIRect& rc) {
    control->SetId(id);
    control->SetName(std::to_wstring(id).c_str());
    root->Add(control);
    control->SetPos(rc.left, rc.top, rc.right, rc.bottom);
    return control;
  }
};

inline UIEvent MouseEvent(int type, int x, int y) {
  UIEvent e;
  e.Type = type;
  e.ptMouse = MakeUIPoint(x, y);
  return e;
}

inline void Send(CUIControl* c, int type, int x, int y) {
  UIEvent e = MouseEvent(type, x, y);
  c->Event(e);
}

}  // namespace test
}  // namespace vorlix
