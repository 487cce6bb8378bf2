#include "ui/extra/CUIList.h"

#include <algorithm>
#include <cwchar>

#include "ui/controls/IListItemUI.h"
#include "ui/core/CUIManager.h"
#include "ui/extra/CUIListHeader.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "ui/layout/CWhiteCanvasUI.h"

namespace vorlix {
namespace {

constexpr wchar_t kKeyReturn = 0x0D;
constexpr wchar_t kKeyPageUp = 0x21;
constexpr wchar_t kKeyPageDown = 0x22;
constexpr wchar_t kKeyEnd = 0x23;
constexpr wchar_t kKeyHome = 0x24;
constexpr wchar_t kKeyUp = 0x26;
constexpr wchar_t kKeyDown = 0x28;

IListItemUI* ListItemOf(CUIControl* control) {
  return control != nullptr ? static_cast<IListItemUI*>(control->GetInterface(L"ListItem")) : nullptr;
}

}  // namespace

CUIList::CUIList()
    : m_pLayout(new CVerticalLayoutUI()),
      m_pHeader(new CUIListHeader()),
      m_pCanvas(new CWhiteCanvasUI()),
      m_pList(new CVerticalLayoutUI()) {
  m_pList->EnableScrollBar(true);
  m_pCanvas->Add(m_pList);
  m_pLayout->Add(m_pHeader);
  m_pLayout->Add(m_pCanvas);
  // The inner parts are not targets of their own: a press between rows is a press on the list, so
  // the focus and the keys stay with the list.
  m_pLayout->SetMouseTransparent(true);
  m_pCanvas->SetMouseTransparent(true);
  m_pList->SetMouseTransparent(true);
  m_pLayout->SetManager(nullptr, this);
}

CUIList::~CUIList() { delete m_pLayout; }

const wchar_t* CUIList::GetClass() const { return L"ListUI"; }

void* CUIList::GetInterface(const wchar_t* name) {
  if (name != nullptr) {
    if (std::wcscmp(name, L"List") == 0) return static_cast<IUIList*>(this);
    if (std::wcscmp(name, L"ListOwner") == 0) return static_cast<IUIListOwner*>(this);
    if (std::wcscmp(name, L"Container") == 0) return static_cast<IContainerUI*>(this);
  }
  return CUIControl::GetInterface(name);
}

unsigned CUIList::GetControlFlags() const { return UIFLAG_TABSTOP; }

void CUIList::SetManager(CUIManager* manager, CUIControl* parent) {
  m_pLayout->SetManager(manager, this);
  CUIControl::SetManager(manager, parent);
}

CUIControl* CUIList::FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) {
  if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((flags & UIFIND_HITTEST) != 0 && !m_rcItem.Contains(*static_cast<const UIPoint*>(data))) return nullptr;
  if ((flags & UIFIND_ME_FIRST) != 0) {
    CUIControl* self = CUIControl::FindControl(proc, data, flags);
    if (self != nullptr) return self;
  }
  CUIControl* hit = m_pLayout->FindControl(proc, data, flags);
  if (hit != nullptr) return hit;
  return CUIControl::FindControl(proc, data, flags);
}

void CUIList::SetPos(int left, int top, int right, int bottom) {
  CUIControl::SetPos(left, top, right, bottom);
  m_pLayout->SetPos(left, top, right, bottom);
  // A hidden header still gives the rows their columns.
  if (!m_pHeader->IsVisible()) m_pHeader->SetPos(left, top, right, top);
}

void CUIList::ScrollBody(int delta) { m_pList->SetScrollPos(m_pList->GetScrollPos() + delta); }

void CUIList::StepSelection(int target, bool forward) {
  if (GetCount() == 0) return;
  int index = FindSelectableRow(target, forward);
  // Paging past the last selectable row lands on it rather than doing nothing.
  if (index < 0 && forward) index = FindSelectableRow(target, false);
  // A step never goes against its direction (a search may fall back the other way).
  if (index < 0 || (m_iCurSel >= 0 && (forward ? index < m_iCurSel : index > m_iCurSel))) return;
  SelectItem(index);
}

void CUIList::Event(UIEvent& event) {
  if (!IsEnabled()) {
    CUIControl::Event(event);
    return;
  }
  switch (event.Type) {
    case UIEVENT_KEYDOWN:
      switch (event.chKey) {
        case kKeyUp:
          StepSelection(m_iCurSel - 1, false);
          return;
        case kKeyDown:
          StepSelection(m_iCurSel + 1, true);
          return;
        case kKeyPageUp:
          StepSelection(m_iCurSel - kPageRows, false);
          return;
        case kKeyPageDown:
          StepSelection(m_iCurSel + kPageRows, true);
          return;
        case kKeyHome: {
          const int first = FindSelectableRow(0, true);
          if (first >= 0) SelectItem(first);
          return;
        }
        case kKeyEnd: {
          const int last = FindSelectableRow(GetCount() - 1, false);
          if (last >= 0) SelectItem(last);
          return;
        }
        case kKeyReturn: {
          CUIControl* current = GetItem(m_iCurSel);
          if (current != nullptr) current->Activate();
          return;
        }
        default:
          break;
      }
      break;
    case UIEVENT_SCROLLWHEEL:
      ScrollBody((event.wParam == 0 ? -1 : 1) * kWheelLines * m_pList->GetScrollLine());
      return;
    case UIEVENT_VSCROLL:
      switch (event.wParam) {
        case 0:
          ScrollBody(-m_pList->GetScrollLine());
          return;
        case 1:
          ScrollBody(m_pList->GetScrollLine());
          return;
        case 2:
          ScrollBody(-m_pList->GetScrollPage());
          return;
        case 3:
          ScrollBody(m_pList->GetScrollPage());
          return;
        default:
          return;
      }
    case UIEVENT_DBLCLICK:
      if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_DBLCLICK);
      return;
    case UIEVENT_CONTEXTMENU:
      if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_MENU);
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_BUTTONUP:
    case UIEVENT_MOUSEMOVE:
      // Rows pass their presses on after selecting; nothing more to do, and the list is the end of them.
      return;
    default:
      break;
  }
  CUIControl::Event(event);
}

void CUIList::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (std::wcscmp(name, L"header") == 0) {
    // Only the header's own flag: a container passes its visibility down to every child, which would
    // bring back columns hidden on purpose when the header shows again.
    m_pHeader->CUIControl::SetVisible(std::wcscmp(value, L"hidden") != 0);
    NeedUpdate();
  } else if (std::wcscmp(name, L"expanding") == 0) {
    SetExpanding(std::wcscmp(value, L"TRUE") == 0);
  } else {
    CUIControl::SetAttribute(name, value);
  }
}

UISize CUIList::GetDesiredSize(UISize) { return UISize(); }

void CUIList::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  m_pLayout->Paint(painter, rcPaint);
}

CUIControl* CUIList::GetItem(int index) const {
  if (index < 0) return nullptr;
  // The body's scroll bar is one of its children (added whenever it became needed), not a row.
  const CUIControl* bar = m_pList->GetScrollBar() != nullptr ? m_pList->GetScrollBar()->GetScrollBarControl() : nullptr;
  for (int i = 0; i < m_pList->GetCount(); ++i) {
    CUIControl* control = m_pList->GetItem(i);
    if (control == bar) continue;
    if (index-- == 0) return control;
  }
  return nullptr;
}

int CUIList::GetCount() const {
  int count = m_pList->GetCount();
  if (m_pList->GetScrollBar() != nullptr) --count;
  return count;
}

int CUIList::FindSelectableRow(int index, bool forward) const {
  const int count = GetCount();
  if (count == 0) return -1;
  index = std::max(0, std::min(index, count - 1));
  auto selectable = [this](int i) {
    CUIControl* c = GetItem(i);
    return ListItemOf(c) != nullptr && c->IsVisible() && c->IsEnabled();
  };
  for (int i = index; forward ? i < count : i >= 0; i += forward ? 1 : -1) {
    if (selectable(i)) return i;
  }
  // Nothing before the target: the first selectable row after it.
  return forward ? -1 : FindSelectableRow(index + 1, true);
}

void CUIList::Reindex(int from) {
  for (int i = std::max(0, from); i < GetCount(); ++i) {
    IListItemUI* item = ListItemOf(GetItem(i));
    if (item != nullptr) item->SetIndex(i);
  }
}

bool CUIList::Add(CUIControl* control) {
  if (control == nullptr) return false;
  if (std::wcscmp(control->GetClass(), L"ListHeaderItemUI") == 0) return m_pHeader->Add(control);
  IListItemUI* item = ListItemOf(control);
  if (item != nullptr) {
    item->SetOwner(this);
    item->SetIndex(GetCount());
  }
  return m_pList->Add(control);
}

bool CUIList::Remove(CUIControl* control) {
  if (control == nullptr) return false;
  if (m_pHeader->Remove(control)) return true;
  int index = -1;
  for (int i = 0; i < GetCount(); ++i) {
    if (GetItem(i) == control) index = i;
  }
  if (index < 0 || !m_pList->Remove(control)) return false;
  if (index == m_iCurSel) {
    m_iCurSel = -1;
  } else if (index < m_iCurSel) {
    --m_iCurSel;
  }
  Reindex(index);
  return true;
}

void CUIList::RemoveAll() {
  m_iCurSel = -1;
  m_pList->RemoveAll();
}

int CUIList::GetCurSel() const { return m_iCurSel; }

bool CUIList::SelectItem(int index) {
  if (index == m_iCurSel) return true;
  if (m_iCurSel >= 0) {
    IListItemUI* previous = ListItemOf(GetItem(m_iCurSel));
    if (previous != nullptr) previous->Select(false);
    m_iCurSel = -1;
  }
  if (GetCount() == 0) return false;
  index = std::max(0, std::min(index, GetCount() - 1));
  CUIControl* control = GetItem(index);
  IListItemUI* item = ListItemOf(control);
  if (item == nullptr || !control->IsVisible() || !control->IsEnabled()) return false;
  m_iCurSel = index;
  item->Select(true);
  EnsureVisible(index);
  Invalidate();
  if (m_pManager != nullptr) {
    m_pManager->SendNotify(control, UINOTIFY_ITEMSELECT);
    m_pManager->SendNotify(this, UINOTIFY_SELECTCHANGED);
  }
  return true;
}

CUIListHeader* CUIList::GetHeader() const { return m_pHeader; }
CUIContainer* CUIList::GetList() const { return m_pList; }
bool CUIList::IsExpanding() const { return m_bExpanding; }

void CUIList::EnsureVisible(int index) {
  CUIControl* control = GetItem(index);
  if (control == nullptr) return;
  const UIRect& row = control->GetPos();
  const UIRect& body = m_pList->GetPos();
  if (row.top < body.top) {
    ScrollBody(row.top - body.top);
  } else if (row.bottom > body.bottom) {
    ScrollBody(std::min(row.bottom - body.bottom, row.top - body.top));
  }
}

}  // namespace vorlix
