#pragma once
// The root of every skinned window: children keep the layout they were given at creation, moved so
// that the top-left-most child edge sits at the container's corner, and groups of children can move
// with or stretch into the space the window has beyond that minimum.

#include <vector>

#include "ui/layout/CUIContainer.h"
#include "ui/render/UIStyle.h"

namespace vorlix {

enum UIDialogPlacement : unsigned {
  UIPLACE_GROUP = 0x1,           // starts a group
  UIPLACE_GROUP_RESET = 0x2,     // resets the group's accumulated offsets
  UIPLACE_MOVE_X = 0x4,          // moves horizontally with the group
  UIPLACE_MOVE_Y = 0x8,          // moves vertically with the group
  UIPLACE_STRETCH_X = 0x10,
  UIPLACE_STRETCH_Y = 0x20,
};

struct UIDialogItem {
  CUIControl* pControl = nullptr;
  unsigned uMode = UIPLACE_GROUP;
  UIRect rcItem;  // relative to the minimum area
};

class CDialogLayoutUI : public CUIContainer {
 public:
  const wchar_t* GetClass() const override;
  void* GetInterface(const wchar_t* name) override;
  UISize GetDesiredSize(UISize available) override;
  void SetPos(int left, int top, int right, int bottom) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // Appends a record for the control at its current rectangle.
  void SetItemPlacement(CUIControl* control, unsigned mode);
  // A colour value; kUIColorNoBackground: none (a child window then shows its parent through).
  void SetBkColor(UIColor color) { m_clrBack = color; }
  UIColor GetBkColor() const { return m_clrBack; }

  const std::vector<UIDialogItem>& GetItems() const { return m_aModes; }
  const UIRect& GetMinimumArea() const { return m_rcDialog; }

 private:
  void RecalcArea();

  std::vector<UIDialogItem> m_aModes;
  UIRect m_rcDialog;
  bool m_bFirstResize = true;
  UIColor m_clrBack = kUIColorNoBackground;
};

}  // namespace vorlix
