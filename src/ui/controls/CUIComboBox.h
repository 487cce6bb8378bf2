#pragma once
// A drop-down list box: shows the selected item's text and opens a popup (the drop-down) that lists its
// items. The items stay owned by the combo; while the drop-down is open they live in the popup's tree.
// The popup itself is a window on Windows, reached through a small seam (IUIComboPopup) so that the
// rules run without one.

#include <memory>

#include "ui/controls/IUIListOwner.h"
#include "ui/layout/CUIContainer.h"
#include "ui/render/IUIImage.h"

namespace vorlix {

class CUIComboBox;
class CUIListLabelElement;

// The open drop-down as the combo sees it.
class IUIComboPopup {
 public:
  virtual ~IUIComboPopup() = default;
  // Closes the way the user would (the items come back, then the combo is told it is gone).
  virtual void Close() = 0;
  // The combo is being destroyed: give the items back at once, forget the combo and go.
  virtual void Abandon() = 0;
};

// Opens the popup over rcPopup (the combo's window client coordinates); null when it cannot.
using UIComboPopupFactory = IUIComboPopup* (*)(CUIComboBox& combo, const UIRect& rcPopup);

class CUIComboBox : public CUIContainer, public IUIListOwner {
 public:
  CUIComboBox();
  ~CUIComboBox() override;

  // IContainerUI: refused while the drop-down is open.
  bool Add(CUIControl* control) override;
  bool Remove(CUIControl* control) override;
  void RemoveAll() override;

  // Base operations.
  const wchar_t* GetClass() const override;
  void* GetInterface(const wchar_t* name) override;
  unsigned GetControlFlags() const override;
  bool Activate() override;
  CStdString GetText() const override;  // the selected item's text
  void SetPos(int left, int top, int right, int bottom) override;
  CUIControl* FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // IUIListOwner (Event is shared with the control's own).
  int GetCurSel() const override;
  bool SelectItem(int index) override;
  void Event(UIEvent& event) override;

  // A one-line item with id index + 10 x the combo's id; an empty text makes a disabled item.
  CUIListLabelElement* AddItem(int index, const wchar_t* text);
  CStdString GetItemText(int index) const;
  void ClearSelection();
  void SetImage(int pngId, UIModule module = nullptr);
  void SetImage(std::shared_ptr<IUIImage> image);
  // Width 0: the combo's width; the height is worked out again whenever the drop-down opens.
  void SetDropDownSize(int cx, int cy);
  UISize GetDropDownSize() const { return m_szDropDown; }
  void SetMaxDropDownHeight(int cy) { m_cyMaxDropDown = cy; }
  void SetMinItemHeight(int cy) { m_cyMinItem = cy; }
  bool IsDroppedDown() const { return m_pWindow != nullptr; }
  bool IsDropDownScrolling() const { return m_bDropDownScrolls; }
  unsigned GetState() const { return m_uButtonState; }
  const UIRect& GetArrowRect() const { return m_rcArrow; }
  IUIComboPopup* GetPopup() const { return m_pWindow; }

  // The popup's side.
  void ReclaimItems();           // the items come back into the combo's tree, the combo takes the focus
  void OnDropDownDestroyed();    // forgets the popup, then ItemSelect and SelectChanged
  void EnsureItemVisible(int index);

  // Null: the platform's popup (a window on Windows; none elsewhere).
  static void SetPopupFactory(UIComboPopupFactory factory);

 private:
  static UIComboPopupFactory PlatformPopupFactory();

  int m_iCurSel = -1;
  UISize m_szDropDown;
  UIRect m_rcArrow;
  unsigned m_uButtonState = 0;
  std::shared_ptr<IUIImage> m_pImage;
  int m_cyMinItem = 10;
  int m_cyMaxDropDown = 150;
  bool m_bDropDownScrolls = false;
  IUIComboPopup* m_pWindow = nullptr;
};

}  // namespace vorlix
