#pragma once
// A control that owns children: places them when given a position, paints them in order, routes
// searches into them (last added first) and scrolls them with a vertical scroll bar when enabled.

#include "ui/core/CStdPtrArray.h"
#include "ui/core/CUIControl.h"
#include "ui/layout/IContainerUI.h"
#include "ui/layout/IUIContainerScrollBar.h"

namespace vorlix {

class CUIContainer : public CUIControl, public IContainerUI {
 public:
  CUIContainer();
  ~CUIContainer() override;

  // IContainerUI
  CUIControl* GetItem(int index) const override;
  int GetCount() const override;
  bool Add(CUIControl* control) override;
  bool Remove(CUIControl* control) override;
  void RemoveAll() override;

  // Base operations.
  void* GetInterface(const wchar_t* name) override;
  void SetVisible(bool visible) override;
  CUIControl* FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) override;
  void SetManager(CUIManager* manager, CUIControl* parent) override;
  void SetPos(int left, int top, int right, int bottom) override;
  void Event(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  const wchar_t* GetClass() const override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  virtual void SetInset(int left, int top, int right, int bottom);  // 41
  virtual void SetInset(int horizontal, int vertical);              // 42
  virtual void SetChildPadding(int padding);                        // 43
  virtual void SetFixedWidth(int width);                            // 44
  virtual void SetFixedHeight(int height);                          // 45
  virtual void SetAutoDestroy(bool autoDestroy);                    // 46
  virtual int FindSelectable(int index, bool forward) const;        // 47
  virtual int GetScrollPos() const;                                 // 48
  virtual int GetScrollPage() const;                                // 49
  virtual int GetScrollLine() const;                                // 50
  virtual UISize GetScrollRange() const;                            // 51: (minimum, maximum)
  virtual void SetScrollPos(int pos);                               // 52
  virtual void EnableScrollBar(bool enable);                        // 53
  virtual void ProcessScrollbar(int left, int top, int right, int bottom, int cyContent, int cyLine);  // 54

  const UIRect& GetInset() const { return m_rcInset; }
  int GetChildPadding() const { return m_iChildPadding; }
  IUIContainerScrollBar* GetScrollBar() const { return m_pScrollBar; }
  void SetScrollBarLook(const UIScrollBarLook& look) { m_scrollLook = look; }

  static void SetScrollBarFactory(UIScrollBarFactory factory);

 protected:
  // The scroll bar as a child control, or null.
  CUIControl* ScrollBarControl() const;
  void DeleteScrollBar();

  CStdPtrArray m_items;
  UIRect m_rcInset;
  int m_iChildPadding = 0;
  int m_cxFixed = 0;
  int m_cyFixed = 0;
  bool m_bAutoDestroy = true;
  bool m_bScrollEnabled = false;
  IUIContainerScrollBar* m_pScrollBar = nullptr;
  int m_iScrollPos = 0;
  UIScrollBarLook m_scrollLook;
  int m_nLayoutDepth = 0;  // guards the re-layouts that adding or removing the bar starts
};

}  // namespace vorlix
