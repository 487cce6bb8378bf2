#pragma once
// What an open drop-down does, apart from being a window: its tree (a combo canvas holding a scrolling
// vertical list of the combo's items), its keys, when a mouse release closes it, and handing the items
// back. The Windows popup (win32/CUIComboBoxWnd) feeds it its messages.

#include "ui/core/CUIManager.h"
#include "ui/core/UITypes.h"

namespace vorlix {

class CUIComboBox;
class CUIControl;
class CVerticalLayoutUI;

class CUIComboDropDown : public INotifyUI {
 public:
  explicit CUIComboDropDown(CUIComboBox& owner);

  // The new root for the popup's manager; the items join the list (they stay the combo's).
  CUIControl* BuildTree();
  // Called once the popup's manager has the root.
  void Attach(CUIManager& manager) { m_pManager = &manager; }
  // WindowInit of the popup's tree: the selection is scrolled into view.
  void Notify(const UINotification& msg) override;
  void OnFirstLayout();

  // True when the key closes the drop-down: Enter; Escape after selecting again what was selected when
  // it opened. Other keys go to the combo as KeyDown.
  bool OnKeyDown(wchar_t key);
  // True when a release of the left button at pt (popup client coordinates) closes it: inside the
  // client area, but not on the scroll bar strip while the list scrolls.
  bool OnButtonUp(UIPoint pt, const UIRect& client) const;
  // Items back to the combo; the combo takes the focus (not when it is being destroyed).
  void ReturnItems(bool focusCombo = true);
  // The popup is gone: the combo forgets it and reports the selection.
  void Finish();
  // The combo goes away first.
  void Abandon();

  CVerticalLayoutUI* GetList() const { return m_pList; }
  CUIComboBox* GetOwner() const { return m_pOwner; }

 private:
  CUIComboBox* m_pOwner;
  CUIManager* m_pManager = nullptr;
  CVerticalLayoutUI* m_pList = nullptr;
  int m_iOldSel;
  bool m_bReturned = false;
};

}  // namespace vorlix
