#include "ui/extra/CUIPageSheet.h"

#include <cstdlib>
#include <cwchar>

#include "ui/controls/UIMeasure.h"
#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIStyle.h"

namespace vorlix {
namespace {

// The selected tab reaches one pixel further down, over the page frame's top line, so it opens into
// its page.
constexpr int kSelectedExtraHeight = 1;
constexpr int kTabFrameColor = 60;

int TabTextWidth(IUIRenderPainter* p, const CStdString& text) {
  if (p == nullptr || text.IsEmpty() || !p->SelectStyleFont(1)) return 0;
  int width = p->MeasureText(text, text.GetLength()).cx;
  p->RestoreFont();
  return width;
}

}  // namespace

CUIPageSheet::CUIPageSheet() = default;

const wchar_t* CUIPageSheet::GetClass() const { return L"TabFolderUI"; }

bool CUIPageSheet::Add(CUIControl* control) {
  if (!CUIContainer::Add(control)) return false;
  if (m_iCurSel < 0) m_iCurSel = GetCount() - 1;
  return true;
}

bool CUIPageSheet::Remove(CUIControl* control) {
  const int index = m_items.Find(control);
  if (!CUIContainer::Remove(control)) return false;
  // The page that follows the removed selected one takes its place (or the one before it at the end).
  if (index < m_iCurSel || m_iCurSel >= GetCount()) --m_iCurSel;
  if (m_iHotTab >= GetCount()) m_iHotTab = -1;
  return true;
}

void CUIPageSheet::RemoveAll() {
  CUIContainer::RemoveAll();
  m_iCurSel = -1;
  m_iHotTab = -1;
  m_aTabs.clear();
}

bool CUIPageSheet::IsInCurrentPage(const CUIControl* control) const {
  const CUIControl* page = GetCurPage();
  for (const CUIControl* c = control; c != nullptr; c = c->GetParent()) {
    if (c == page) return true;
    if (c == this) return false;
  }
  return false;
}

bool CUIPageSheet::SelectPage(int index) {
  CUIControl* page = GetItem(index);
  if (page == nullptr || !page->IsEnabled()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_CLICK);
  if (index == m_iCurSel) return true;
  // A control on the page that goes away must not keep the keyboard.
  if (m_pManager != nullptr && IsInCurrentPage(m_pManager->GetFocus())) m_pManager->ClearFocus();
  m_iCurSel = index;
  NeedUpdate();
  Invalidate();
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_SELECTCHANGED);
  return true;
}

UIRect CUIPageSheet::GetTabRect(int index) const {
  if (index < 0 || index >= static_cast<int>(m_aTabs.size())) return UIRect();
  return m_aTabs[static_cast<std::size_t>(index)];
}

UIRect CUIPageSheet::GetPageRect() const {
  UIRect rc = MakeUIRect(m_rcItem.left + 1, m_rcItem.top + m_cyTabs + 1, m_rcItem.right - 1, m_rcItem.bottom - 1);
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  return rc;
}

void CUIPageSheet::LayoutTabs() {
  auto measure = CreateMeasurePainter(m_pManager);
  const int fontHeight = measure != nullptr ? measure->GetStyleFontMetrics(1).height : 0;
  m_cyTabs = fontHeight + 8;
  m_aTabs.assign(static_cast<std::size_t>(GetCount()), UIRect());
  int x = m_rcItem.left;
  const int top = m_rcItem.top;
  const int bottom = top + m_cyTabs;
  // The same sizes the tab face takes when it is drawn.
  for (int i = 0; i < GetCount(); ++i) {
    CUIControl* page = GetItem(i);
    const bool selected = i == m_iCurSel;
    if (!selected && !page->IsEnabled()) continue;
    const int width = TabTextWidth(measure.get(), page->GetText()) + (selected ? 14 : 12);
    m_aTabs[static_cast<std::size_t>(i)] =
        MakeUIRect(x, selected ? top : top + 3, x + width, selected ? bottom + kSelectedExtraHeight : bottom);
    x += width;
  }
}

void CUIPageSheet::SetPos(int left, int top, int right, int bottom) {
  CUIControl::SetPos(left, top, right, bottom);
  LayoutTabs();
  CUIControl* page = GetCurPage();
  if (page != nullptr) {
    const UIRect rc = GetPageRect();
    page->SetPos(rc.left, rc.top, rc.right, rc.bottom);
  }
}

int CUIPageSheet::TabAt(UIPoint pt) const {
  for (std::size_t i = 0; i < m_aTabs.size(); ++i) {
    if (m_aTabs[i].Contains(pt)) return static_cast<int>(i);
  }
  return -1;
}

CUIControl* CUIPageSheet::FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) {
  if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((flags & UIFIND_HITTEST) != 0 && !m_rcItem.Contains(*static_cast<const UIPoint*>(data))) return nullptr;
  if ((flags & UIFIND_ME_FIRST) != 0) {
    CUIControl* self = CUIControl::FindControl(proc, data, flags);
    if (self != nullptr) return self;
  }
  // The pages that are not shown are out of reach of the mouse, the Tab key and shortcuts.
  CUIControl* page = GetCurPage();
  if (page != nullptr) {
    CUIControl* hit = page->FindControl(proc, data, flags);
    if (hit != nullptr) return hit;
  }
  return CUIControl::FindControl(proc, data, flags);
}

void CUIPageSheet::Event(UIEvent& event) {
  if (IsEnabled()) {
    switch (event.Type) {
      case UIEVENT_BUTTONDOWN:
      case UIEVENT_DBLCLICK: {
        const int tab = TabAt(event.ptMouse);
        if (tab >= 0) {
          SelectPage(tab);
          return;
        }
        break;
      }
      case UIEVENT_MOUSEMOVE: {
        const int tab = TabAt(event.ptMouse);
        if (tab != m_iHotTab) {
          m_iHotTab = tab;
          Invalidate();
        }
        return;
      }
      case UIEVENT_MOUSELEAVE:
        if (m_iHotTab >= 0) {
          m_iHotTab = -1;
          Invalidate();
        }
        return;
      default:
        break;
    }
  }
  CUIContainer::Event(event);
}

void CUIPageSheet::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name != nullptr && value != nullptr && std::wcscmp(name, L"select") == 0) {
    SelectPage(static_cast<int>(std::wcstol(value, nullptr, 10)));
    return;
  }
  CUIContainer::SetAttribute(name, value);
}

void CUIPageSheet::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr) return;
  p->SetClip(m_rcItem);
  const UIRect frame = MakeUIRect(m_rcItem.left, m_rcItem.top + m_cyTabs, m_rcItem.right, m_rcItem.bottom);
  if (!frame.IsEmpty()) p->DrawColorFrame(frame, CUIStyleTable::GetColor(kTabFrameColor));
  // The selected tab last, so its foot covers the frame line and its neighbours' edges.
  auto drawTab = [&](int i) {
    CUIControl* page = GetItem(i);
    const UIRect layout = GetTabRect(i);
    if (page == nullptr || layout.IsEmpty()) return;
    const bool selected = i == m_iCurSel;
    unsigned state = 0;
    if (selected) state |= UITAB_SELECTED;
    if (!page->IsEnabled()) state |= UITAB_DISABLED;
    if (i == m_iHotTab) state |= UITAB_HOT;
    UIRect rc = MakeUIRect(layout.left, m_rcItem.top, layout.right, m_rcItem.top + m_cyTabs);
    DrawTab(*p, rc, page->GetText(), state, kSelectedExtraHeight, nullptr);
    if (rc.IsEmpty() || page->GetText().IsEmpty() || !p->SelectStyleFont(1)) return;
    p->DrawPlainText(rc, page->GetText(), CUIStyleTable::GetColor(IsEnabled() ? 34 : 35),
                     UITEXT_CENTER | UITEXT_VCENTER | UITEXT_SINGLELINE | UITEXT_NOPREFIX);
    p->RestoreFont();
  };
  for (int i = 0; i < GetCount(); ++i) {
    if (i != m_iCurSel) drawTab(i);
  }
  if (m_iCurSel >= 0) drawTab(m_iCurSel);
  CUIControl* page = GetCurPage();
  if (page != nullptr && page->IsVisible() && page->GetPos().Intersects(rcPaint)) page->Paint(painter, rcPaint);
  p->RestoreClip();
}

}  // namespace vorlix
