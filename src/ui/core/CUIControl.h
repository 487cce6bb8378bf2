#pragma once
// The element of every control tree: a windowless rectangle with a name, a text and a parent, attached to
// the manager of its window. Derived classes keep the order of the virtual operations below and append
// their own.

#include <cstdint>
#include <vector>

#include "ui/core/CStdString.h"
#include "ui/core/UIEvent.h"
#include "ui/core/UINotification.h"
#include "ui/core/UITypes.h"

namespace vorlix {

class CUIManager;
class IUIPainter;

enum UIControlFlags : unsigned {
  UIFLAG_TABSTOP = 0x1,     // takes part in Tab navigation
  UIFLAG_SETCURSOR = 0x2,   // receives SetCursor events
  UIFLAG_WANTRETURN = 0x4,  // Enter typed in it is not the press of "ok"
};

enum UIFindFlags : std::uint32_t {
  UIFIND_ALL = 0x0,
  UIFIND_VISIBLE = 0x1,
  UIFIND_ENABLED = 0x2,
  UIFIND_HITTEST = 0x4,   // data points at a UIPoint
  UIFIND_ME_FIRST = 0x80000000u,
};

class CUIControl;
// Search predicate: the control to return (ending the search), or null to go on.
using UIFindControlProc = CUIControl* (*)(CUIControl* control, void* data);

class CUIControl : public INotifyUI {
 public:
  CUIControl();
  CUIControl(const CUIControl&) = delete;
  CUIControl& operator=(const CUIControl&) = delete;

  void Notify(const UINotification& msg) override;                 // 1
  ~CUIControl() override;                                          // 2
  virtual CStdString GetName() const;                              // 3
  virtual void SetName(const wchar_t* name);                       // 4
  virtual int GetId() const;                                       // 5
  virtual void SetId(int id);                                      // 6
  virtual void AddRegionPoints(const UIPoint* points, int count);  // 7
  virtual void SetRegion(int count, ...);                          // 8: count UIPoint values follow
  virtual void* GetInterface(const wchar_t* name);                 // 9
  virtual bool Activate();                                         // 10
  virtual CUIControl* GetParent() const;                           // 11
  virtual CStdString GetText() const;                              // 12
  virtual void SetText(const wchar_t* text);                       // 13
  virtual CStdString GetToolTip() const;                           // 14
  virtual void SetToolTip(const wchar_t* text);                    // 15
  virtual wchar_t GetShortcut() const;                             // 16
  virtual void SetShortcut(wchar_t ch);                            // 17
  virtual std::uintptr_t GetUserData() const;                      // 18
  virtual void SetUserData(std::uintptr_t value);                  // 19
  virtual void SetFocus();                                         // 20
  virtual bool IsVisible() const;                                  // 21
  virtual bool IsEnabled() const;                                  // 22
  virtual bool IsFocused() const;                                  // 23
  virtual void SetVisible(bool visible);                           // 24
  virtual void SetEnabled(bool enabled);                           // 25
  virtual CUIControl* FindControl(UIFindControlProc proc, void* data, std::uint32_t flags);  // 26
  virtual bool HitTestRegion(int x, int y) const;                  // 27
  virtual CUIManager* GetManager() const;                          // 28
  virtual void SetManager(CUIManager* manager, CUIControl* parent);  // 29
  virtual const UIRect& GetPos() const;                            // 30
  virtual void SetPos(int left, int top, int right, int bottom);   // 31
  virtual std::uintptr_t GetTag() const;                           // 32
  virtual void SetTag(std::uintptr_t value);                       // 33
  virtual unsigned GetControlFlags() const;                        // 34
  virtual void Init();                                             // 35
  virtual void Event(UIEvent& event);                              // 36
  virtual void SetAttribute(const wchar_t* name, const wchar_t* value);  // 37
  virtual const wchar_t* GetClass() const = 0;                     // 38
  virtual UISize GetDesiredSize(UISize available) = 0;             // 39
  virtual void Paint(IUIPainter& painter, const UIRect& rcPaint) = 0;  // 40

  void Invalidate();
  void NeedUpdate();
  bool SetTimer(unsigned id, unsigned elapseMs);
  bool KillTimer(unsigned id);
  void SetMouseTransparent(bool transparent);
  bool IsMouseTransparent() const { return m_bMouseTransparent; }
  const std::vector<UIPoint>& GetRegion() const { return m_aRegion; }
  // Applies name="value" pairs separated by commas; stops at the first malformed piece.
  void ApplyAttributeList(const wchar_t* list);

 protected:
  CUIManager* m_pManager = nullptr;
  CUIControl* m_pParent = nullptr;
  wchar_t m_chShortcut = 0;
  CStdString m_sName;
  CStdString m_sText;
  CStdString m_sToolTip;
  std::uintptr_t m_pUserData = 0;
  UIRect m_rcItem;
  std::vector<UIPoint> m_aRegion;
  bool m_bVisible = true;
  bool m_bEnabled = true;
  bool m_bFocused = false;
  std::uintptr_t m_pTag = 0;
  int m_nId = 0;
  bool m_bMouseTransparent = false;
};

}  // namespace vorlix
