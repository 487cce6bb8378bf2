#pragma once
// Base of every list item: a control that knows its owner and index and can be selected. Double click
// and Enter activate it (ItemActivate); every other event goes to the owner (or, without one, up the
// tree as for any control). Derived items decide how a row looks (DrawItem).

#include "ui/controls/IListItemUI.h"
#include "ui/controls/IUIListOwner.h"
#include "ui/core/CUIControl.h"

namespace vorlix {

class CUIListElement : public CUIControl, public IListItemUI {
 public:
  CUIListElement();

  // IListItemUI
  int GetIndex() const override;
  void SetIndex(int index) override;
  void SetOwner(CUIControl* owner) override;
  IUIListOwner* GetOwner() const override;
  bool IsSelected() const override;
  bool Select(bool select) override;
  bool IsExpanded() const override;
  bool Expand(bool expand) override;
  bool IsExpandable() const override;
  std::uintptr_t GetItemData() const override;
  void SetItemData(std::uintptr_t data) override;

  // Base operations.
  void* GetInterface(const wchar_t* name) override;
  unsigned GetControlFlags() const override;
  bool Activate() override;
  void Event(UIEvent& event) override;
  // Paints the item as its owner would, with no owner state.
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  bool IsHot() const { return m_bHot; }

 protected:
  // Mouse enter and leave switch the row's hot look (repainting only on a change).
  void TrackHot(const UIEvent& event);

  int m_iIndex = -1;
  bool m_bSelected = false;
  IUIListOwner* m_pOwner = nullptr;
  std::uintptr_t m_uItemData = 0;
  bool m_bHot = false;
};

}  // namespace vorlix
