#include "ui/controls/CUIComboBox.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "ui/controls/CUIListLabelElement.h"
#include "ui/controls/IListItemUI.h"
#include "ui/controls/UIButtonDraw.h"
#include "ui/controls/UIControlImages.h"
#include "ui/controls/UIMeasure.h"
#include "ui/core/CUIManager.h"
#include "ui/render/UIDraw.h"
#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"

namespace vorlix {
namespace {

constexpr wchar_t kKeyUp = 0x26;
constexpr wchar_t kKeyDown = 0x28;
constexpr wchar_t kKeyF4 = 0x73;

UIComboPopupFactory g_popupFactory = nullptr;

UISize MakeUISize(int cx, int cy) {
  UISize sz;
  sz.cx = cx;
  sz.cy = cy;
  return sz;
}

IListItemUI* ListItem(CUIControl* c) {
  return c != nullptr ? static_cast<IListItemUI*>(c->GetInterface(L"ListItem")) : nullptr;
}

void SetBits(unsigned& state, unsigned bits, bool on) {
  if (on) {
    state |= bits;
  } else {
    state &= ~bits;
  }
}

}  // namespace

CUIComboBox::CUIComboBox() = default;

CUIComboBox::~CUIComboBox() {
  if (m_pWindow != nullptr) {
    IUIComboPopup* popup = m_pWindow;
    m_pWindow = nullptr;
    popup->Abandon();
  }
}

void CUIComboBox::SetPopupFactory(UIComboPopupFactory factory) { g_popupFactory = factory; }

const wchar_t* CUIComboBox::GetClass() const { return L"DropDownUI"; }

void* CUIComboBox::GetInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"ListOwner") == 0) return static_cast<IUIListOwner*>(this);
  return CUIContainer::GetInterface(name);
}

unsigned CUIComboBox::GetControlFlags() const { return UIFLAG_TABSTOP | UIFLAG_SETCURSOR; }

bool CUIComboBox::Add(CUIControl* control) {
  if (control == nullptr || IsDroppedDown()) return false;
  if (IListItemUI* item = ListItem(control)) {
    item->SetOwner(this);
    item->SetIndex(GetCount());
  }
  return CUIContainer::Add(control);
}

bool CUIComboBox::Remove(CUIControl* control) {
  if (IsDroppedDown()) return false;
  const int index = m_items.Find(control);
  if (!CUIContainer::Remove(control)) return false;
  // Later items move up one place.
  for (int i = index; i < GetCount(); ++i) {
    if (IListItemUI* item = ListItem(GetItem(i))) item->SetIndex(i);
  }
  if (m_iCurSel == index) {
    m_iCurSel = -1;
  } else if (m_iCurSel > index) {
    --m_iCurSel;
  }
  return true;
}

void CUIComboBox::RemoveAll() {
  if (IsDroppedDown()) return;
  m_iCurSel = -1;
  CUIContainer::RemoveAll();
}

CUIListLabelElement* CUIComboBox::AddItem(int index, const wchar_t* text) {
  if (IsDroppedDown()) return nullptr;
  auto* item = new CUIListLabelElement();
  const int id = index + 10 * m_nId;
  item->SetId(id);
  item->SetName(std::to_wstring(id).c_str());
  item->SetText(text);
  if (text == nullptr || *text == 0) item->SetEnabled(false);
  Add(item);
  return item;
}

CStdString CUIComboBox::GetItemText(int index) const {
  CUIControl* item = GetItem(index);
  return item != nullptr ? item->GetText() : CStdString();
}

CStdString CUIComboBox::GetText() const {
  if (m_iCurSel < 0) return CStdString();
  return GetItemText(m_iCurSel);
}

void CUIComboBox::SetImage(int pngId, UIModule module) { SetImage(LoadControlPng(pngId, module)); }

void CUIComboBox::SetImage(std::shared_ptr<IUIImage> image) {
  m_pImage = std::move(image);
  Invalidate();
}

void CUIComboBox::SetDropDownSize(int cx, int cy) {
  m_szDropDown.cx = cx;
  m_szDropDown.cy = cy;
}

void CUIComboBox::SetPos(int left, int top, int right, int bottom) {
  // The items are laid out by the drop-down, never inside the combo.
  CUIControl::SetPos(left, top, right, bottom);
  const int side = bottom - top;
  m_rcArrow = MakeUIRect(right - side, top, right, bottom);
}

CUIControl* CUIComboBox::FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) {
  // Hit tests stop at the combo: its items are not on this window while it is closed.
  if ((flags & UIFIND_HITTEST) != 0) return CUIControl::FindControl(proc, data, flags);
  return CUIContainer::FindControl(proc, data, flags);
}

int CUIComboBox::GetCurSel() const { return m_iCurSel; }

void CUIComboBox::ClearSelection() {
  if (IListItemUI* prev = ListItem(GetItem(m_iCurSel))) prev->Select(false);
  m_iCurSel = -1;
  Invalidate();
}

bool CUIComboBox::SelectItem(int index) {
  if (index == m_iCurSel) return true;
  if (IListItemUI* prev = ListItem(GetItem(m_iCurSel))) prev->Select(false);
  m_iCurSel = -1;
  if (GetCount() == 0) {
    Invalidate();
    return false;
  }
  index = std::max(0, std::min(index, GetCount() - 1));
  CUIControl* control = GetItem(index);
  IListItemUI* item = ListItem(control);
  if (item == nullptr || !control->IsVisible() || !control->IsEnabled()) {
    Invalidate();
    return false;
  }
  m_iCurSel = index;
  // Only the open list has the item on screen; focusing it while closed would take the focus from
  // the combo itself.
  if (IsDroppedDown()) control->SetFocus();
  item->Select(true);
  EnsureItemVisible(index);
  Invalidate();
  return true;
}

void CUIComboBox::EnsureItemVisible(int index) {
  CUIControl* item = GetItem(index);
  if (item == nullptr) return;
  auto* list = dynamic_cast<CUIContainer*>(item->GetParent());
  if (list == nullptr || list == this || list->GetScrollBar() == nullptr) return;
  const UIRect& rcList = list->GetPos();
  const UIRect& inset = list->GetInset();
  const int top = rcList.top + inset.top, bottom = rcList.bottom - inset.bottom;
  const UIRect& rc = item->GetPos();
  if (rc.top < top) {
    list->SetScrollPos(list->GetScrollPos() - (top - rc.top));
  } else if (rc.bottom > bottom) {
    list->SetScrollPos(list->GetScrollPos() + (rc.bottom - bottom));
  }
}

bool CUIComboBox::Activate() {
  if (!CUIControl::Activate()) return false;
  m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
  if (IsDroppedDown()) return true;
  int height = 0;
  const UISize avail = MakeUISize(m_szDropDown.cx != 0 ? m_szDropDown.cx : m_rcItem.GetWidth(), 9999);
  for (int i = 0; i < GetCount(); ++i) {
    CUIControl* item = GetItem(i);
    int cy = item->GetDesiredSize(avail).cy;
    if (cy < m_cyMinItem) {
      cy = m_cyMinItem;
      if (auto* label = dynamic_cast<CUIListLabelElement*>(item)) label->SetFixedHeight(m_cyMinItem);
    }
    height += cy;
  }
  height += 6;  // the drop-down canvas's inset, top and bottom
  m_bDropDownScrolls = height > m_cyMaxDropDown;
  if (m_bDropDownScrolls) height = m_cyMaxDropDown;
  m_szDropDown.cy = height;
  UIRect rc = MakeUIRect(m_rcItem.left, m_rcItem.bottom,
                         m_szDropDown.cx != 0 ? m_rcItem.left + m_szDropDown.cx : m_rcItem.right,
                         m_rcItem.bottom + height);
  UIComboPopupFactory factory = g_popupFactory != nullptr ? g_popupFactory : PlatformPopupFactory();
  m_pWindow = factory != nullptr ? factory(*this, rc) : nullptr;
  if (m_pWindow == nullptr) {
    m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
    return false;
  }
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_DROPDOWN);
  Invalidate();
  return true;
}

void CUIComboBox::ReclaimItems() {
  for (int i = 0; i < GetCount(); ++i) {
    CUIControl* item = GetItem(i);
    if (m_pManager != nullptr) {
      m_pManager->InitControls(item, this);
    } else {
      item->SetManager(nullptr, this);
    }
  }
}

void CUIComboBox::OnDropDownDestroyed() {
  m_pWindow = nullptr;
  m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
  Invalidate();
  CUIControl* item = GetItem(m_iCurSel);
  if (item == nullptr || m_pManager == nullptr) return;
  m_pManager->SendNotify(item, UINOTIFY_ITEMSELECT);
  m_pManager->SendNotify(this, UINOTIFY_SELECTCHANGED);
}

void CUIComboBox::Event(UIEvent& event) {
  if (!IsVisible() || !IsEnabled()) return;
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (m_rcItem.Contains(event.ptMouse)) {
        if (m_pManager != nullptr) m_pManager->SetCursorShape(UICursorShape::Hand);
        return;
      }
      break;
    case UIEVENT_BUTTONDOWN:
      // While open only the items' presses arrive here (the drop-down has the input).
      if (!IsDroppedDown()) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
        if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_CLICK);
        Activate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        SetBits(m_uButtonState, UISTATE_PUSHED, IsDroppedDown() || m_rcArrow.Contains(event.ptMouse));
        Invalidate();
      }
      break;
    case UIEVENT_BUTTONUP:
      m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
      Invalidate();
      break;
    case UIEVENT_KEYDOWN:
      if (event.chKey == kKeyUp) {
        const int found = FindSelectable(m_iCurSel - 1, false);
        if (found >= 0) SelectItem(found);
        return;
      }
      if (event.chKey == kKeyDown) {
        const int found = FindSelectable(m_iCurSel + 1, true);
        if (found >= 0) SelectItem(found);
        return;
      }
      if (event.chKey == kKeyF4) {
        Activate();
        return;
      }
      break;
    case UIEVENT_MOUSEENTER:
      m_uButtonState |= UISTATE_HOT;
      Invalidate();
      break;
    case UIEVENT_MOUSELEAVE:
      m_uButtonState &= ~UISTATE_HOT;
      Invalidate();
      break;
    default:
      break;
  }
  CUIContainer::Event(event);
}

UISize CUIComboBox::GetDesiredSize(UISize available) {
  if (m_cxFixed != 0 && GetCount() > 0) {
    UISize inner = MakeUISize(m_rcItem.GetWidth() - 8, m_rcItem.GetHeight() - 4);
    return GetItem(0)->GetDesiredSize(inner);
  }
  UISize sz;
  sz.cy = MeasureFont1Height(m_pManager) + 12;
  return sz;
}

void CUIComboBox::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr || !rcPaint.Intersects(m_rcItem)) return;
  unsigned state = m_uButtonState & (UISTATE_HOT | UISTATE_PUSHED);
  if (IsFocused()) state |= UISTATE_FOCUSED;
  if (!IsEnabled()) state |= UISTATE_DISABLED;
  if (m_pImage != nullptr && m_pImage->GetWidth() >= 4) {
    const int fw = m_pImage->GetWidth() / 4;
    const int frame = PickStripFrame((state & UISTATE_DISABLED) != 0, (state & UISTATE_PUSHED) != 0,
                                     (state & UISTATE_HOT) != 0);
    DrawImage9Grid(*p, m_rcItem, MakeUIRect(frame * fw, 0, (frame + 1) * fw, m_pImage->GetHeight()), *m_pImage,
                   true);
  } else {
    DrawButtonBackground(*p, m_rcItem, state, nullptr, 0);
  }
  const UIMarkupContext ctx = MarkupContextOf(m_pManager);
  if (!m_sText.IsEmpty()) {
    UIRect rc = MakeUIRect(m_rcItem.left + 1, m_rcItem.top + 1, m_rcItem.right - 1, m_rcItem.bottom - 1);
    const int color = !IsEnabled() ? 11 : ((state & UISTATE_PUSHED) != 0 ? 10 : 9);
    int links = 0;
    DrawPrettyTextStyle(*p, ctx, rc, m_sText, color, kUIColorIndexNone, nullptr, links,
                        UITEXT_SINGLELINE | UITEXT_VCENTER);
  }
  CUIControl* item = GetItem(m_iCurSel);
  if (item == nullptr) return;
  UIRect area = MakeUIRect(m_rcItem.left + 5 + 1, m_rcItem.top + 1, m_rcArrow.left - 1, m_rcItem.bottom - 1);
  if (area.IsEmpty()) return;
  if (ListItem(item) != nullptr) {
    int links = 0;
    CStdString text = item->GetText();
    DrawPrettyTextStyle(*p, ctx, area, text, 26, kUIColorIndexNone, nullptr, links,
                        UITEXT_SINGLELINE | UITEXT_VCENTER);
  } else {
    // Anything else paints itself there for the moment.
    const UIRect old = item->GetPos();
    item->SetPos(area.left, area.top, area.right, area.bottom);
    item->Paint(painter, area);
    item->SetPos(old.left, old.top, old.right, old.bottom);
  }
}

}  // namespace vorlix
