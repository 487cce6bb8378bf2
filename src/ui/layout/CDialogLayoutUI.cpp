#include "ui/layout/CDialogLayoutUI.h"

#include <algorithm>
#include <cwchar>

#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"

namespace vorlix {

const wchar_t* CDialogLayoutUI::GetClass() const { return L"DialogLayoutUI"; }

void* CDialogLayoutUI::GetInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"DialogLayout") == 0) return this;
  return CUIContainer::GetInterface(name);
}

void CDialogLayoutUI::SetItemPlacement(CUIControl* control, unsigned mode) {
  UIDialogItem item;
  item.pControl = control;
  item.uMode = mode;
  item.rcItem = control->GetPos();
  m_aModes.push_back(item);
}

void CDialogLayoutUI::RecalcArea() {
  if (!m_bFirstResize) return;
  const CUIControl* bar = ScrollBarControl();
  for (int i = 0; i < m_items.GetSize(); ++i) {
    CUIControl* child = GetItem(i);
    if (child == bar) continue;
    bool found = std::any_of(m_aModes.begin(), m_aModes.end(),
                             [child](const UIDialogItem& it) { return it.pControl == child; });
    if (!found) SetItemPlacement(child, UIPLACE_GROUP);
  }
  UIRect area = MakeUIRect(9999, 9999, 0, 0);
  for (const UIDialogItem& it : m_aModes) {
    const UIRect& rc = it.pControl->GetPos();
    area.left = std::min(area.left, rc.left);
    area.top = std::min(area.top, rc.top);
    area.right = std::max(area.right, rc.right);
    area.bottom = std::max(area.bottom, rc.bottom);
  }
  if (m_aModes.empty()) area = UIRect();
  for (UIDialogItem& it : m_aModes) {
    it.rcItem.left -= area.left;
    it.rcItem.right -= area.left;
    it.rcItem.top -= area.top;
    it.rcItem.bottom -= area.top;
  }
  m_rcDialog = area;
  m_bFirstResize = false;
}

UISize CDialogLayoutUI::GetDesiredSize(UISize /*available*/) {
  RecalcArea();
  UISize sz;
  sz.cx = m_rcDialog.GetWidth();
  sz.cy = m_rcDialog.GetHeight();
  return sz;
}

void CDialogLayoutUI::SetPos(int left, int top, int right, int bottom) {
  CUIControl::SetPos(left, top, right, bottom);
  RecalcArea();
  ProcessScrollbar(left, top, right, bottom, m_rcDialog.GetHeight(), 20);
  int r = right;
  if (m_pScrollBar != nullptr) r -= m_pScrollBar->GetScrollBarWidth();
  const int cxExtra = std::max(0, (r - left) - m_rcDialog.GetWidth());
  const int cyExtra = std::max(0, (bottom - top) - m_rcDialog.GetHeight());

  int cxShare = 0, cyShare = 0;
  int xOffset = 0, yOffset = 0;
  for (std::size_t i = 0; i < m_aModes.size(); ++i) {
    const UIDialogItem& it = m_aModes[i];
    if (i == 0 || (it.uMode & UIPLACE_GROUP) != 0) {
      int stretching = 0;
      for (std::size_t j = i + 1; j < m_aModes.size(); ++j) {
        unsigned mode = m_aModes[j].uMode;
        if ((mode & (UIPLACE_GROUP | UIPLACE_GROUP_RESET)) != 0) break;
        if ((mode & (UIPLACE_STRETCH_X | UIPLACE_STRETCH_Y)) != 0) ++stretching;
      }
      stretching = std::max(1, stretching);
      cxShare = cxExtra / stretching;
      cyShare = cyExtra / stretching;
      xOffset = yOffset = 0;
    }
    if ((it.uMode & UIPLACE_GROUP_RESET) != 0) xOffset = yOffset = 0;
    UIRect rc = it.rcItem;
    rc.left += left;
    rc.right += left;
    rc.top += top - m_iScrollPos;
    rc.bottom += top - m_iScrollPos;
    if ((it.uMode & UIPLACE_MOVE_X) != 0) {
      rc.left += xOffset;
      rc.right += xOffset;
    }
    if ((it.uMode & UIPLACE_MOVE_Y) != 0) {
      rc.top += yOffset;
      rc.bottom += yOffset;
    }
    if ((it.uMode & UIPLACE_STRETCH_X) != 0) rc.right += cxShare;
    if ((it.uMode & UIPLACE_STRETCH_Y) != 0) rc.bottom += cyShare;
    if ((it.uMode & (UIPLACE_STRETCH_X | UIPLACE_STRETCH_Y)) != 0) {
      xOffset += cxShare;
      yOffset += cyShare;
    }
    it.pControl->SetPos(rc.left, rc.top, rc.right, rc.bottom);
  }
}

void CDialogLayoutUI::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  auto* render = dynamic_cast<IUIRenderPainter*>(&painter);
  const UIRect visible =
      MakeUIRect(std::max(rcPaint.left, m_rcItem.left), std::max(rcPaint.top, m_rcItem.top),
                 std::min(rcPaint.right, m_rcItem.right), std::min(rcPaint.bottom, m_rcItem.bottom));
  UIWindow window = m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr;
  IUIImage* skin = m_pManager != nullptr ? m_pManager->GetSkinImage(UISKIN_NORMAL) : nullptr;
  // Without a window (a tree not hosted yet) the layout is treated as a top-level one.
  const bool childHost = render != nullptr && window != nullptr && render->IsChildWindow(window);

  if (m_clrBack != kUIColorNoBackground) {
    painter.FillColorRect(visible, m_clrBack);
  } else if (skin == nullptr && childHost) {
    // Pseudo-transparency: a child window without a picture of its own looks like part of its parent.
    render->CopyParentBackground(window, visible);
  }
  if (render != nullptr) {
    IUIImage* picture = skin;
    if (picture == nullptr && !childHost) picture = CUISkinImages::Get(UISkinSlot::DialogBackground);
    if (picture != nullptr) {
      const UIRect source = MakeUIRect(0, 0, picture->GetWidth(), picture->GetHeight());
      if (source.GetWidth() == m_rcItem.GetWidth() && source.GetHeight() == m_rcItem.GetHeight()) {
        render->DrawImagePart(m_rcItem, *picture, source, false);
      } else {
        DrawImage9Grid(*render, m_rcItem, source, *picture, true);
      }
    }
  }
  CUIContainer::Paint(painter, rcPaint);
}

}  // namespace vorlix
