#pragma once
// Small controls for exercising the control model and the manager: a leaf that records what reaches it
// and a container with the toolkit's search and paint order.

#include <functional>
#include <string>
#include <vector>

#include "ui/core/CUIControl.h"
#include "ui/core/CUIManager.h"
#include "ui/render/IUIPainter.h"

namespace vorlix {
namespace test {

// Everything the test controls see, in order, as short strings ("enter:a<-b", "notify:a:0", ...).
struct Journal {
  std::vector<std::string> lines;
  void Add(const std::string& line) { lines.push_back(line); }
  // Only the lines that start with one of the given prefixes.
  std::vector<std::string> Only(std::initializer_list<std::string> prefixes) const {
    std::vector<std::string> out;
    for (const auto& l : lines) {
      for (const std::string& p : prefixes) {
        if (l.rfind(p, 0) == 0) {
          out.push_back(l);
          break;
        }
      }
    }
    return out;
  }
  void Clear() { lines.clear(); }
};

inline std::string Narrow(const CStdString& s) {
  std::string out;
  for (int i = 0; i < s.GetLength(); ++i) out += static_cast<char>(s[i]);
  return out;
}

inline const char* EventName(int type) {
  switch (type) {
    case UIEVENT_MOUSEMOVE: return "move";
    case UIEVENT_MOUSELEAVE: return "leave";
    case UIEVENT_MOUSEENTER: return "enter";
    case UIEVENT_MOUSEHOVER: return "hover";
    case UIEVENT_KEYDOWN: return "keydown";
    case UIEVENT_KEYUP: return "keyup";
    case UIEVENT_CHAR: return "char";
    case UIEVENT_SYSKEY: return "syskey";
    case UIEVENT_KILLFOCUS: return "killfocus";
    case UIEVENT_SETFOCUS: return "setfocus";
    case UIEVENT_BUTTONDOWN: return "down";
    case UIEVENT_BUTTONUP: return "up";
    case UIEVENT_DBLCLICK: return "dblclick";
    case UIEVENT_CONTEXTMENU: return "contextmenu";
    case UIEVENT_VSCROLL: return "vscroll";
    case UIEVENT_SCROLLWHEEL: return "wheel";
    case UIEVENT_WINDOWSIZE: return "size";
    case UIEVENT_SETCURSOR: return "setcursor";
    case UIEVENT_TIMER: return "timer";
    default: return "?";
  }
}

inline std::string Label(const CUIControl* c) { return c == nullptr ? std::string("-") : Narrow(c->GetName()); }

class CTestControl : public CUIControl {
 public:
  CTestControl(Journal* journal, const wchar_t* name, UIRect pos, unsigned flags = 0, UIColor color = 0)
      : m_pJournal(journal), m_uFlags(flags), m_color(color) {
    SetName(name);
    m_rcItem = pos;
  }
  ~CTestControl() override {
    if (m_pDestroyed != nullptr) *m_pDestroyed = true;
  }

  void Notify(const UINotification& msg) override {
    if (m_pJournal) m_pJournal->Add("own:" + Label(this) + ":" + std::to_string(msg.Type));
  }
  bool Activate() override {
    if (!CUIControl::Activate()) return false;
    if (m_pJournal) m_pJournal->Add("activate:" + Label(this));
    if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_CLICK);
    return true;
  }
  void Event(UIEvent& event) override {
    if (m_pJournal) {
      std::string line = std::string(EventName(event.Type)) + ":" + Label(this);
      if (event.Type == UIEVENT_MOUSEENTER || event.Type == UIEVENT_MOUSELEAVE || event.Type == UIEVENT_KILLFOCUS) {
        line += "<-" + Label(event.pSender);
      }
      if (event.Type == UIEVENT_KEYDOWN || event.Type == UIEVENT_KEYUP || event.Type == UIEVENT_CHAR ||
          event.Type == UIEVENT_SYSKEY) {
        line += "=" + std::to_string(static_cast<int>(event.chKey));
      }
      if (event.Type == UIEVENT_VSCROLL || event.Type == UIEVENT_SCROLLWHEEL || event.Type == UIEVENT_TIMER) {
        line += "=" + std::to_string(static_cast<unsigned long long>(event.wParam));
      }
      if (event.Type == UIEVENT_BUTTONUP || event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_MOUSEMOVE) {
        line += "@" + std::to_string(event.ptMouse.x) + "," + std::to_string(event.ptMouse.y);
      }
      m_pJournal->Add(line);
    }
    // A button: release inside activates.
    if (event.Type == UIEVENT_BUTTONUP && m_bClickable && m_rcItem.Contains(event.ptMouse)) Activate();
    if (m_bHandlesAll && event.Type != UIEVENT_SETFOCUS && event.Type != UIEVENT_KILLFOCUS &&
        event.Type != UIEVENT_TIMER && event.Type != UIEVENT_SETCURSOR) {
      return;
    }
    CUIControl::Event(event);
  }
  void Init() override { ++m_nInits; }
  const wchar_t* GetClass() const override { return m_sClass.GetData(); }
  UISize GetDesiredSize(UISize available) override { return available; }
  unsigned GetControlFlags() const override { return m_uFlags; }
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override {
    if (!m_rcItem.Intersects(rcPaint)) return;
    painter.FillColorRect(m_rcItem, m_color);
    if (!m_sText.IsEmpty()) painter.DrawPlainText(m_rcItem, m_sText, UIRgb(255, 255, 255), 0x25);
  }

  Journal* m_pJournal;
  unsigned m_uFlags;
  UIColor m_color;
  CStdString m_sClass = L"TestUI";
  bool m_bClickable = true;
  bool m_bHandlesAll = false;  // true: the control keeps its events instead of passing them up
  int m_nInits = 0;
  bool* m_pDestroyed = nullptr;
};

// Owns its children; searches them topmost (last added) first, paints them in insertion order.
class CTestContainer : public CTestControl {
 public:
  using CTestControl::CTestControl;
  ~CTestContainer() override {
    for (CUIControl* c : m_children) delete c;
  }

  template <class T>
  T* Add(T* child) {
    m_children.push_back(child);
    if (m_pManager != nullptr) m_pManager->InitControls(child, this);
    return child;
  }

  void SetManager(CUIManager* manager, CUIControl* parent) override {
    for (CUIControl* c : m_children) c->SetManager(manager, this);
    CUIControl::SetManager(manager, parent);
  }
  void SetVisible(bool visible) override {
    for (CUIControl* c : m_children) c->SetVisible(visible);
    CUIControl::SetVisible(visible);
  }
  CUIControl* FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) override {
    if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if ((flags & UIFIND_HITTEST) != 0 && !m_rcItem.Contains(*static_cast<UIPoint*>(data))) return nullptr;
    if ((flags & UIFIND_ME_FIRST) != 0) {
      CUIControl* me = CUIControl::FindControl(proc, data, flags);
      if (me != nullptr) return me;
    }
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
      CUIControl* hit = (*it)->FindControl(proc, data, flags);
      if (hit != nullptr) return hit;
    }
    return CUIControl::FindControl(proc, data, flags);
  }
  void SetPos(int l, int t, int r, int b) override { m_rcItem = MakeUIRect(l, t, r, b); }
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override {
    CTestControl::Paint(painter, rcPaint);
    for (CUIControl* c : m_children) {
      if (c->IsVisible()) c->Paint(painter, rcPaint);
    }
  }

  std::vector<CUIControl*> m_children;
};

// Records every notification it is told about as "listener<tag>:<sender>:<type>".
class CTestListener : public INotifyUI {
 public:
  CTestListener(Journal* journal, std::string tag) : m_pJournal(journal), m_tag(std::move(tag)) {}
  void Notify(const UINotification& msg) override {
    m_pJournal->Add("listener" + m_tag + ":" + Label(msg.pSender) + ":" + std::to_string(msg.Type) + "=" +
                    std::to_string(static_cast<unsigned long long>(msg.wParam)));
    if (m_onNotify) m_onNotify(msg);
  }
  Journal* m_pJournal;
  std::string m_tag;
  std::function<void(const UINotification&)> m_onNotify;
};

}  // namespace test
}  // namespace vorlix
