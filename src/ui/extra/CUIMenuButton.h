#pragma once
// A button that opens a drop-down menu of CUISubMenu items below itself. The left button going down on
// it sends Click and opens the drop-down (DropDown); picking an item closes it and then sends
// ItemSelect from the item and SelectChanged from the button. Escape or a click elsewhere closes it
// without a pick. The items belong to the button; they live in the drop-down's tree while it is open.

#include "ui/controls/CUIButton.h"
#include "ui/controls/IUIListOwner.h"
#include "ui/core/CStdPtrArray.h"

namespace vorlix {

class CUISubMenu;
class IUIMenuDropDown;

class CUIMenuButton : public CUIButton, public IUIListOwner {
 public:
  CUIMenuButton();
  ~CUIMenuButton() override;

  const wchar_t* GetClass() const override;
  void* GetInterface(const wchar_t* name) override;
  unsigned GetControlFlags() const override;
  // Opens the drop-down.
  bool Activate() override;
  void SetManager(CUIManager* manager, CUIControl* parent) override;
  // Also the owner's Event for the items.
  void Event(UIEvent& event) override;

  // An item with id index + 10 × the button's id (its name the id in decimal); refused while open.
  CUISubMenu* AddItem(const wchar_t* text);
  int GetItemCount() const { return m_aItems.GetSize(); }
  CUISubMenu* GetItem(int index) const;
  // 0: as wide as the button.
  void SetDropDownWidth(int cx) { m_cxDropDown = cx; }
  bool IsDropDownOpen() const { return m_pDropDown != nullptr; }
  void CloseDropDown();

  // IUIListOwner: picking an item.
  int GetCurSel() const override { return m_iCurSel; }
  bool SelectItem(int index) override;

  // From the drop-down window when it is gone.
  void OnDropDownClosed();

 private:
  void FinishPick();

  CStdPtrArray m_aItems;
  int m_iCurSel = -1;
  int m_iPicked = -1;
  int m_cxDropDown = 0;
  IUIMenuDropDown* m_pDropDown = nullptr;
  bool m_bReleasing = false;
};

}  // namespace vorlix
