#include "ui/controls/CUIListElement.h"

#include <cwchar>

#include "ui/core/CUIManager.h"

namespace vorlix {
namespace {

constexpr wchar_t kKeyReturn = 0x0D;

}  // namespace

CUIListElement::CUIListElement() = default;

int CUIListElement::GetIndex() const { return m_iIndex; }
void CUIListElement::SetIndex(int index) { m_iIndex = index; }

void CUIListElement::SetOwner(CUIControl* owner) {
  m_pOwner = owner != nullptr ? static_cast<IUIListOwner*>(owner->GetInterface(L"ListOwner")) : nullptr;
}

IUIListOwner* CUIListElement::GetOwner() const { return m_pOwner; }
bool CUIListElement::IsSelected() const { return m_bSelected; }

bool CUIListElement::Select(bool select) {
  if (m_bSelected == select) return true;
  m_bSelected = select;
  Invalidate();
  return true;
}

bool CUIListElement::IsExpanded() const { return false; }
bool CUIListElement::Expand(bool) { return false; }
bool CUIListElement::IsExpandable() const { return false; }
std::uintptr_t CUIListElement::GetItemData() const { return m_uItemData; }
void CUIListElement::SetItemData(std::uintptr_t data) { m_uItemData = data; }

void* CUIListElement::GetInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"ListItem") == 0) return static_cast<IListItemUI*>(this);
  return CUIControl::GetInterface(name);
}

unsigned CUIListElement::GetControlFlags() const { return UIFLAG_WANTRETURN; }

bool CUIListElement::Activate() {
  if (!CUIControl::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_ITEMACTIVATE);
  return true;
}

void CUIListElement::Event(UIEvent& event) {
  if (event.Type == UIEVENT_DBLCLICK || (event.Type == UIEVENT_KEYDOWN && event.chKey == kKeyReturn)) {
    if (IsEnabled()) Activate();
    return;
  }
  // Focus changes are the item's own business; everything else is the owner's.
  if (event.Type == UIEVENT_SETFOCUS || event.Type == UIEVENT_KILLFOCUS || event.Type == UIEVENT_SETCURSOR ||
      event.Type == UIEVENT_TIMER || m_pOwner == nullptr) {
    CUIControl::Event(event);
    return;
  }
  m_pOwner->Event(event);
}

void CUIListElement::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  DrawItem(painter, m_rcItem, 0);
}

void CUIListElement::TrackHot(const UIEvent& event) {
  const bool hot = event.Type == UIEVENT_MOUSEENTER;
  if (hot == m_bHot) return;
  m_bHot = hot;
  Invalidate();
}

}  // namespace vorlix
