#include "ui/layout/CUIContainer.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "ui/core/CUIManager.h"
#include "ui/render/IUIRenderPainter.h"

namespace vorlix {
namespace {

UIScrollBarFactory g_scrollBarFactory = nullptr;

// Virtual key codes of the scrolling keys.
constexpr wchar_t kKeyPageUp = 0x21;
constexpr wchar_t kKeyPageDown = 0x22;
constexpr wchar_t kKeyEnd = 0x23;
constexpr wchar_t kKeyHome = 0x24;
constexpr wchar_t kKeyUp = 0x26;
constexpr wchar_t kKeyDown = 0x28;

// Layouts nest their re-layouts (adding or dropping the scroll bar lays out again); more than this
// means two outcomes keep undoing each other.
constexpr int kMaxLayoutDepth = 4;

}  // namespace

CUIContainer::CUIContainer() = default;

CUIContainer::~CUIContainer() {
  // The scroll bar is a child like the others; it goes whatever auto-destroy says.
  CUIControl* bar = ScrollBarControl();
  for (int i = 0; i < m_items.GetSize(); ++i) {
    auto* child = static_cast<CUIControl*>(m_items.GetAt(i));
    if (m_bAutoDestroy || child == bar) delete child;
  }
  m_pScrollBar = nullptr;
}

void CUIContainer::SetScrollBarFactory(UIScrollBarFactory factory) { g_scrollBarFactory = factory; }

CUIControl* CUIContainer::ScrollBarControl() const {
  return m_pScrollBar != nullptr ? m_pScrollBar->GetScrollBarControl() : nullptr;
}

CUIControl* CUIContainer::GetItem(int index) const { return static_cast<CUIControl*>(m_items.GetAt(index)); }
int CUIContainer::GetCount() const { return m_items.GetSize(); }

bool CUIContainer::Add(CUIControl* control) {
  if (control == nullptr) return false;
  if (m_pManager != nullptr) {
    m_pManager->InitControls(control, this);
  } else {
    control->SetManager(nullptr, this);
  }
  NeedUpdate();
  return m_items.Add(control);
}

bool CUIContainer::Remove(CUIControl* control) {
  if (!m_bAutoDestroy) return false;
  int index = m_items.Find(control);
  if (index < 0) return false;
  if (m_pManager != nullptr) m_pManager->ClearFocus();
  NeedUpdate();
  if (control == ScrollBarControl()) m_pScrollBar = nullptr;
  m_items.Remove(index);
  delete control;
  // Re-attaching the tree is how the manager's name index is emptied; the names of the deleted
  // control must not stay findable.
  if (m_pManager != nullptr) m_pManager->InitControls(this, m_pParent);
  return true;
}

void CUIContainer::RemoveAll() {
  CUIControl* bar = ScrollBarControl();
  for (int i = 0; i < m_items.GetSize(); ++i) {
    auto* child = static_cast<CUIControl*>(m_items.GetAt(i));
    if (m_bAutoDestroy || child == bar) delete child;
  }
  m_items.Empty();
  m_pScrollBar = nullptr;
  m_iScrollPos = 0;
  if (m_pManager != nullptr) {
    m_pManager->InitControls(this, m_pParent);
    m_pManager->ClearFocus();
  }
  NeedUpdate();
}

void* CUIContainer::GetInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"Container") == 0) return static_cast<IContainerUI*>(this);
  return CUIControl::GetInterface(name);
}

void CUIContainer::SetVisible(bool visible) {
  // The scroll bar is one of the items.
  for (int i = 0; i < m_items.GetSize(); ++i) GetItem(i)->SetVisible(visible);
  CUIControl::SetVisible(visible);
}

CUIControl* CUIContainer::FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) {
  if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((flags & UIFIND_HITTEST) != 0 && !m_rcItem.Contains(*static_cast<const UIPoint*>(data))) return nullptr;
  if ((flags & UIFIND_ME_FIRST) != 0) {
    CUIControl* self = CUIControl::FindControl(proc, data, flags);
    if (self != nullptr) return self;
  }
  for (int i = m_items.GetSize() - 1; i >= 0; --i) {
    CUIControl* hit = GetItem(i)->FindControl(proc, data, flags);
    if (hit != nullptr) return hit;
  }
  return CUIControl::FindControl(proc, data, flags);
}

void CUIContainer::SetManager(CUIManager* manager, CUIControl* parent) {
  for (int i = 0; i < m_items.GetSize(); ++i) GetItem(i)->SetManager(manager, this);
  CUIControl::SetManager(manager, parent);
}

void CUIContainer::SetPos(int left, int top, int right, int bottom) {
  CUIControl::SetPos(left, top, right, bottom);
  if (m_items.IsEmpty()) return;
  GetItem(0)->SetPos(left + m_rcInset.left, top + m_rcInset.top, right - m_rcInset.right,
                     bottom - m_rcInset.bottom);
}

void CUIContainer::Event(UIEvent& event) {
  if (m_pScrollBar != nullptr) {
    if (event.Type == UIEVENT_VSCROLL) {
      switch (event.wParam) {
        case 0:
        case 1:
        case 4:
        case 5:
          SetScrollPos(m_pScrollBar->GetScrollPos());
          return;
        case 2:
          SetScrollPos(GetScrollPos() - GetScrollPage());
          return;
        case 3:
          SetScrollPos(GetScrollPos() + GetScrollPage());
          return;
        default:
          break;
      }
    } else if (event.Type == UIEVENT_KEYDOWN) {
      switch (event.chKey) {
        case kKeyPageUp:
          SetScrollPos(GetScrollPos() - GetScrollPage());
          return;
        case kKeyPageDown:
          SetScrollPos(GetScrollPos() + GetScrollPage());
          return;
        case kKeyEnd:
          SetScrollPos(9999);
          return;
        case kKeyHome:
          SetScrollPos(0);
          return;
        case kKeyUp:
          SetScrollPos(GetScrollPos() - GetScrollLine());
          return;
        case kKeyDown:
          SetScrollPos(GetScrollPos() + GetScrollLine());
          return;
        default:
          break;
      }
    }
  }
  CUIControl::Event(event);
}

void CUIContainer::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  auto number = [value] { return static_cast<int>(std::wcstol(value, nullptr, 10)); };
  if (std::wcscmp(name, L"inset") == 0) {
    SetInset(number(), number());
  } else if (std::wcscmp(name, L"padding") == 0) {
    SetChildPadding(number());
  } else if (std::wcscmp(name, L"width") == 0) {
    SetFixedWidth(number());
  } else if (std::wcscmp(name, L"height") == 0) {
    SetFixedHeight(number());
  } else if (std::wcscmp(name, L"scrollbar") == 0) {
    EnableScrollBar(std::wcscmp(value, L"TRUE") == 0);
  } else {
    CUIControl::SetAttribute(name, value);
  }
}

const wchar_t* CUIContainer::GetClass() const { return L"ContainerUI"; }

UISize CUIContainer::GetDesiredSize(UISize /*available*/) {
  UISize sz;
  sz.cx = m_cxFixed;
  sz.cy = m_cyFixed;
  return sz;
}

void CUIContainer::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  auto* render = dynamic_cast<IUIRenderPainter*>(&painter);
  if (render != nullptr) render->SetClip(m_rcItem);
  CUIControl* bar = ScrollBarControl();
  if (bar != nullptr && bar->IsVisible()) bar->Paint(painter, rcPaint);
  for (int i = 0; i < m_items.GetSize(); ++i) {
    CUIControl* child = GetItem(i);
    if (child == bar || !child->IsVisible()) continue;
    const UIRect& rc = child->GetPos();
    if (!rc.Intersects(rcPaint) || !rc.Intersects(m_rcItem)) continue;
    child->Paint(painter, rcPaint);
  }
  if (render != nullptr) render->RestoreClip();
}

void CUIContainer::SetInset(int left, int top, int right, int bottom) {
  m_rcInset = MakeUIRect(left, top, right, bottom);
}

void CUIContainer::SetInset(int horizontal, int vertical) { SetInset(horizontal, vertical, horizontal, vertical); }
void CUIContainer::SetChildPadding(int padding) { m_iChildPadding = padding; }
void CUIContainer::SetFixedWidth(int width) { m_cxFixed = width; }
void CUIContainer::SetFixedHeight(int height) { m_cyFixed = height; }
void CUIContainer::SetAutoDestroy(bool autoDestroy) { m_bAutoDestroy = autoDestroy; }

int CUIContainer::FindSelectable(int index, bool forward) const {
  int count = m_items.GetSize();
  if (count == 0) return -1;
  index = std::max(0, std::min(index, count - 1));
  auto selectable = [this](int i) {
    CUIControl* c = GetItem(i);
    return c->GetInterface(L"ListItem") != nullptr && c->IsVisible() && c->IsEnabled();
  };
  if (forward) {
    for (int i = index; i < count; ++i) {
      if (selectable(i)) return i;
    }
    return -1;
  }
  for (int i = index; i >= 0; --i) {
    if (selectable(i)) return i;
  }
  return FindSelectable(0, true);
}

int CUIContainer::GetScrollPos() const { return m_iScrollPos; }
int CUIContainer::GetScrollPage() const { return m_pScrollBar != nullptr ? m_pScrollBar->GetPageSize() : 40; }
int CUIContainer::GetScrollLine() const { return m_pScrollBar != nullptr ? m_pScrollBar->GetLineSize() : 1; }

UISize CUIContainer::GetScrollRange() const {
  UISize range;
  if (m_pScrollBar != nullptr) m_pScrollBar->GetScrollRange(range.cx, range.cy);
  return range;
}

void CUIContainer::SetScrollPos(int pos) {
  if (m_pScrollBar == nullptr) return;
  int lo = 0, hi = 0;
  m_pScrollBar->GetScrollRange(lo, hi);
  pos = std::max(lo, std::min(pos, hi));
  m_pScrollBar->SetScrollPos(pos);
  m_iScrollPos = m_pScrollBar->GetScrollPos();
  UIRect rc = m_rcItem;
  SetPos(rc.left, rc.top, rc.right, rc.bottom);
  Invalidate();
}

void CUIContainer::EnableScrollBar(bool enable) {
  if (enable != m_bScrollEnabled) m_iScrollPos = 0;
  m_bScrollEnabled = enable;
}

void CUIContainer::DeleteScrollBar() {
  CUIControl* bar = ScrollBarControl();
  m_pScrollBar = nullptr;
  m_iScrollPos = 0;
  if (bar == nullptr) return;
  int index = m_items.Find(bar);
  if (index >= 0) m_items.Remove(index);
  delete bar;
  NeedUpdate();
}

void CUIContainer::ProcessScrollbar(int left, int top, int right, int bottom, int cyContent, int cyLine) {
  const int cyVisible = bottom - top;
  UIRect rc = m_rcItem;
  if (cyVisible < cyContent && m_bScrollEnabled && m_pScrollBar == nullptr) {
    if (g_scrollBarFactory == nullptr || m_nLayoutDepth >= kMaxLayoutDepth) return;
    IUIContainerScrollBar* bar = g_scrollBarFactory(this);
    if (bar == nullptr) return;
    m_pScrollBar = bar;
    Add(bar->GetScrollBarControl());
    bar->SetLook(m_scrollLook);
    ++m_nLayoutDepth;
    SetPos(rc.left, rc.top, rc.right, rc.bottom);
    --m_nLayoutDepth;
    return;
  }
  if (m_pScrollBar == nullptr) return;

  IUIContainerScrollBar* bar = m_pScrollBar;
  bar->GetScrollBarControl()->SetPos(right, top, right + bar->GetScrollBarWidth(), bottom);
  if (cyContent < 0) {
    cyContent = 0;
    m_iScrollPos = 0;
  }
  int lo = 0, hi = 0;
  bar->GetScrollRange(lo, hi);
  if (cyContent != hi) {
    bar->SetScrollRange(0, cyContent);
    bar->SetPageSize(cyVisible);
    bar->SetLineSize(cyLine);
  }
  int page = bar->GetPageSize();
  if (m_iScrollPos + page > cyContent && cyContent - page >= 0 && m_nLayoutDepth < kMaxLayoutDepth) {
    ++m_nLayoutDepth;
    SetScrollPos(cyContent - page);
    --m_nLayoutDepth;
  }
  if (m_pScrollBar == nullptr) return;  // a nested layout already dropped it
  if (m_pScrollBar->GetPageSize() < cyContent) return;
  DeleteScrollBar();
  if (m_nLayoutDepth >= kMaxLayoutDepth) return;
  ++m_nLayoutDepth;
  SetPos(rc.left, rc.top, rc.right, rc.bottom);
  --m_nLayoutDepth;
}

}  // namespace vorlix
