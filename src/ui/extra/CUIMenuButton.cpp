#include "ui/extra/CUIMenuButton.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "ui/core/CUIManager.h"
#include "ui/extra/CUISubMenu.h"
#include "ui/extra/UIMenuDropDown.h"

namespace vorlix {
namespace {

constexpr wchar_t kKeyDown = 0x28;
constexpr wchar_t kKeyF4 = 0x73;
// The menu canvas keeps 3 pixels free on each side.
constexpr int kMenuInset = 3;

}  // namespace

CUIMenuButton::CUIMenuButton() = default;

CUIMenuButton::~CUIMenuButton() {
  if (m_pDropDown != nullptr) {
    IUIMenuDropDown* dropDown = m_pDropDown;
    m_pDropDown = nullptr;
    dropDown->Detach();
  }
  for (int i = 0; i < m_aItems.GetSize(); ++i) delete GetItem(i);
}

const wchar_t* CUIMenuButton::GetClass() const { return L"MenuButtonUI"; }

void* CUIMenuButton::GetInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"ListOwner") == 0) return static_cast<IUIListOwner*>(this);
  return CUIButton::GetInterface(name);
}

unsigned CUIMenuButton::GetControlFlags() const { return UIFLAG_TABSTOP | UIFLAG_SETCURSOR; }

CUISubMenu* CUIMenuButton::GetItem(int index) const { return static_cast<CUISubMenu*>(m_aItems.GetAt(index)); }

CUISubMenu* CUIMenuButton::AddItem(const wchar_t* text) {
  if (m_pDropDown != nullptr) return nullptr;
  auto* item = new CUISubMenu();
  const int index = m_aItems.GetSize();
  item->SetId(index + 10 * m_nId);
  item->SetName(std::to_wstring(item->GetId()).c_str());
  item->SetText(text);
  item->SetOwner(this);
  item->SetIndex(index);
  item->SetManager(m_pManager, this);
  m_aItems.Add(item);
  return item;
}

void CUIMenuButton::SetManager(CUIManager* manager, CUIControl* parent) {
  CUIButton::SetManager(manager, parent);
  if (m_pDropDown != nullptr) return;
  for (int i = 0; i < m_aItems.GetSize(); ++i) GetItem(i)->SetManager(manager, this);
}

bool CUIMenuButton::Activate() {
  // The release after the press that opened the drop-down is not another request.
  if (m_bReleasing || !CUIControl::Activate()) return false;
  if (m_pDropDown != nullptr) return true;
  if (m_pManager == nullptr || m_aItems.IsEmpty()) return false;
  int cy = 2 * kMenuInset;
  UISize available;
  available.cx = m_cxDropDown != 0 ? m_cxDropDown : m_rcItem.GetWidth();
  for (int i = 0; i < m_aItems.GetSize(); ++i) {
    CUISubMenu* item = GetItem(i);
    if (item->IsVisible()) cy += item->GetDesiredSize(available).cy;
  }
  m_pDropDown = OpenMenuDropDown(this, m_rcItem, available.cx, cy);
  if (m_pDropDown == nullptr) return false;
  m_pManager->SendNotify(this, UINOTIFY_DROPDOWN);
  Invalidate();
  return true;
}

void CUIMenuButton::Event(UIEvent& event) {
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (IsEnabled() && m_rcItem.Contains(event.ptMouse)) {
        UIEvent press = event;
        press.Type = UIEVENT_BUTTONDOWN;
        CUIButton::Event(press);
        if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_CLICK);
        Activate();
        return;
      }
      break;
    case UIEVENT_BUTTONUP:
      m_bReleasing = true;
      CUIButton::Event(event);
      m_bReleasing = false;
      return;
    case UIEVENT_KEYDOWN:
      if (event.chKey == kKeyDown || event.chKey == kKeyF4) {
        Activate();
        return;
      }
      break;
    default:
      break;
  }
  CUIButton::Event(event);
}

bool CUIMenuButton::SelectItem(int index) {
  CUISubMenu* item = GetItem(index);
  if (item == nullptr || !item->IsVisible() || !item->IsEnabled()) return false;
  m_iCurSel = index;
  m_iPicked = index;
  if (m_pDropDown != nullptr) {
    // The notifications follow once the items are back in this tree.
    m_pDropDown->Close();
  } else {
    FinishPick();
  }
  return true;
}

void CUIMenuButton::CloseDropDown() {
  if (m_pDropDown != nullptr) m_pDropDown->Close();
}

void CUIMenuButton::OnDropDownClosed() {
  m_pDropDown = nullptr;
  for (int i = 0; i < m_aItems.GetSize(); ++i) GetItem(i)->SetManager(m_pManager, this);
  Invalidate();
  FinishPick();
}

void CUIMenuButton::FinishPick() {
  if (m_iPicked < 0) return;
  CUISubMenu* item = GetItem(m_iPicked);
  m_iPicked = -1;
  if (m_pManager == nullptr || item == nullptr) return;
  m_pManager->SendNotify(item, UINOTIFY_ITEMSELECT);
  m_pManager->SendNotify(this, UINOTIFY_SELECTCHANGED);
}

}  // namespace vorlix
