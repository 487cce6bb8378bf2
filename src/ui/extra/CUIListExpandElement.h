#pragma once
// A list row that can open an area below itself: a tile layout (GetExpandContainer) holding whatever
// the owner puts there. The first column starts with an expander glyph, image 13 of the image list
// while closed and 14 while open; a press on the glyph toggles. Opening sends ItemExpand, closing
// ItemCollapse. In a list, rows open only while the list has expanding="TRUE".

#include "ui/extra/CUIListTextElement.h"

namespace vorlix {

class CTileLayoutUI;

class CUIListExpandElement : public CUIListTextElement {
 public:
  CUIListExpandElement();
  ~CUIListExpandElement() override;

  const wchar_t* GetClass() const override;
  bool IsExpanded() const override;
  // False when the owner list does not let rows open.
  bool Expand(bool expand) override;
  bool IsExpandable() const override;
  void SetManager(CUIManager* manager, CUIControl* parent) override;
  CUIControl* FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) override;
  void SetPos(int left, int top, int right, int bottom) override;
  void Event(UIEvent& event) override;
  // The row, plus the open area's content height while open.
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // Created on first use; owned by the row.
  CTileLayoutUI* GetExpandContainer();
  // Where a press toggles: the glyph at the start of the first column.
  UIRect GetGlyphRect() const;

  static constexpr int kGlyphClosed = 13;
  static constexpr int kGlyphOpen = 14;

 protected:
  UIRect RowRect() const override;
  CStdString DrawnColumnText(int column) const override;

 private:
  int ExpandHeight(int width) const;

  CTileLayoutUI* m_pTile = nullptr;
  bool m_bExpanded = false;
};

}  // namespace vorlix
