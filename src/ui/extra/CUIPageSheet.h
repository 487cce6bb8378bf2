#pragma once
// A tab folder: a row of tabs along the top, one per page (each child is a page, normally a
// CUIPageOption whose text is the tab title), and the selected page below them inside a frame. Only
// the selected page is laid out, painted and searched. Pressing a tab, or the "select" attribute with
// a page index, selects that page: Click, then SelectChanged when the selection moved. A disabled page
// has no tab and cannot be selected.

#include <vector>

#include "ui/layout/CUIContainer.h"

namespace vorlix {

class CUIPageSheet : public CUIContainer {
 public:
  CUIPageSheet();

  const wchar_t* GetClass() const override;
  // The first page added becomes the selected one (without notifications).
  bool Add(CUIControl* control) override;
  bool Remove(CUIControl* control) override;
  void RemoveAll() override;
  CUIControl* FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) override;
  void SetPos(int left, int top, int right, int bottom) override;
  void Event(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // False for an index that names no page or a disabled one.
  bool SelectPage(int index);
  int GetCurSel() const { return m_iCurSel; }
  CUIControl* GetCurPage() const { return GetItem(m_iCurSel); }
  // The tab of a page as last laid out (empty for a page without a tab).
  UIRect GetTabRect(int index) const;
  // Below the tabs, inside the frame: where the selected page goes.
  UIRect GetPageRect() const;
  int GetTabHeight() const { return m_cyTabs; }

 private:
  int TabAt(UIPoint pt) const;
  void LayoutTabs();
  bool IsInCurrentPage(const CUIControl* control) const;

  int m_iCurSel = -1;
  int m_iHotTab = -1;
  int m_cyTabs = 0;
  std::vector<UIRect> m_aTabs;
};

}  // namespace vorlix
