#pragma once
// The drop-down of a menu button: a popup tool window below the button with its own manager, whose
// tree (a CMenuCanvasUI holding a vertical layout that does not own its children) shows the button's
// items while it is open. It closes when it loses the keyboard to another window, on Escape, on Enter
// (picking the item under the mouse) and when an item is picked; the items then go back to the button.

#include "ui/core/CUIManager.h"
#include "ui/extra/UIMenuDropDown.h"
#include "ui/hosts/CWindowWnd.h"

namespace vorlix {

class CUIMenuButton;
class CVerticalLayoutUI;

class CMenuButtonWnd : public CWindowWnd, public IUIMenuDropDown {
 public:
  explicit CMenuButtonWnd(CUIMenuButton* owner);

  const wchar_t* GetWindowClassName() const override;
  UINT GetClassStyle() const override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hWnd) override;

  void Close() override;
  void Detach() override;

  CUIManager& GetManager() { return m_manager; }

 private:
  void ReturnItems();

  CUIMenuButton* m_pOwner;
  CUIManager m_manager;
  CVerticalLayoutUI* m_pLayout = nullptr;
};

}  // namespace vorlix
