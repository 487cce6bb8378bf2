#pragma once
// A vertical list of rows under a column header. The header (a CUIListHeader, hidden with the
// attribute header="hidden") holds the column titles; the body (a CWhiteCanvasUI holding a scrolling
// vertical layout) holds the rows. Add puts header items into the header and everything else into the
// body; the container operations (GetItem, GetCount, Remove, RemoveAll) are about the rows.
//
// One row at a time is selected: SelectItem, a press on a row, or the keys Up, Down, Page Up/Down
// (ten rows), Home and End. Each change sends ItemSelect from the row, then SelectChanged from the
// list. Enter activates the selected row; a double click sends DblClick, a right click Menu; the wheel
// scrolls the body. With expanding="TRUE" rows that can open below themselves may do so.

#include "ui/core/CUIControl.h"
#include "ui/extra/IUIList.h"
#include "ui/layout/IContainerUI.h"

namespace vorlix {

class CUIListHeader;
class CVerticalLayoutUI;
class CWhiteCanvasUI;

class CUIList : public CUIControl, public IContainerUI, public IUIList {
 public:
  CUIList();
  ~CUIList() override;

  const wchar_t* GetClass() const override;
  void* GetInterface(const wchar_t* name) override;
  unsigned GetControlFlags() const override;
  void SetManager(CUIManager* manager, CUIControl* parent) override;
  CUIControl* FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) override;
  void SetPos(int left, int top, int right, int bottom) override;
  // Also the owner's Event: rows pass the events they do not handle here.
  void Event(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // IContainerUI: the rows.
  CUIControl* GetItem(int index) const override;
  int GetCount() const override;
  bool Add(CUIControl* control) override;
  bool Remove(CUIControl* control) override;
  void RemoveAll() override;

  // IUIListOwner
  int GetCurSel() const override;
  bool SelectItem(int index) override;

  // IUIList
  CUIListHeader* GetHeader() const override;
  CUIContainer* GetList() const override;
  bool IsExpanding() const override;
  void EnsureVisible(int index) override;

  void SetExpanding(bool expanding) { m_bExpanding = expanding; }
  // Rows the wheel scrolls per notch.
  static constexpr int kWheelLines = 3;
  // Rows Page Up and Page Down move the selection by.
  static constexpr int kPageRows = 10;

 private:
  // Selects the nearest selectable row at or beyond target in the given direction; nothing when there
  // is none.
  void StepSelection(int target, bool forward);
  // Like the containers' FindSelectable, over the rows.
  int FindSelectableRow(int index, bool forward) const;
  void ScrollBody(int delta);
  void Reindex(int from);

  CVerticalLayoutUI* m_pLayout;  // header above body; owns both
  CUIListHeader* m_pHeader;
  CWhiteCanvasUI* m_pCanvas;
  CVerticalLayoutUI* m_pList;
  int m_iCurSel = -1;
  bool m_bExpanding = false;
};

}  // namespace vorlix
