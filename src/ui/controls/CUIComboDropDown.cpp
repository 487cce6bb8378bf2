#include "ui/controls/CUIComboDropDown.h"

#include "ui/controls/CUIComboBox.h"
#include "ui/controls/CUIVScrollBar.h"
#include "ui/layout/CComboCanvasUI.h"
#include "ui/layout/CVerticalLayoutUI.h"

namespace vorlix {
namespace {

constexpr wchar_t kKeyReturn = 0x0D;
constexpr wchar_t kKeyEscape = 0x1B;

}  // namespace

CUIComboDropDown::CUIComboDropDown(CUIComboBox& owner) : m_pOwner(&owner), m_iOldSel(owner.GetCurSel()) {}

CUIControl* CUIComboDropDown::BuildTree() {
  auto* root = new CComboCanvasUI();
  m_pList = new CVerticalLayoutUI();
  m_pList->SetAutoDestroy(false);
  m_pList->EnableScrollBar(true);
  root->Add(m_pList);
  for (int i = 0; i < m_pOwner->GetCount(); ++i) m_pList->Add(m_pOwner->GetItem(i));
  return root;
}

void CUIComboDropDown::Notify(const UINotification& msg) {
  if (msg.Type == UINOTIFY_WINDOWINIT) OnFirstLayout();
}

void CUIComboDropDown::OnFirstLayout() {
  if (m_pOwner != nullptr && m_pOwner->GetCurSel() >= 0) m_pOwner->EnsureItemVisible(m_pOwner->GetCurSel());
}

bool CUIComboDropDown::OnKeyDown(wchar_t key) {
  if (m_pOwner == nullptr) return true;
  if (key == kKeyReturn) return true;
  if (key == kKeyEscape) {
    if (m_iOldSel < 0) {
      m_pOwner->ClearSelection();
    } else {
      m_pOwner->SelectItem(m_iOldSel);
    }
    return true;
  }
  UIEvent e;
  e.Type = UIEVENT_KEYDOWN;
  e.chKey = key;
  e.wParam = key;
  if (m_pManager != nullptr) e.ptMouse = m_pManager->GetMousePos();
  m_pOwner->Event(e);
  return false;
}

bool CUIComboDropDown::OnButtonUp(UIPoint pt, const UIRect& client) const {
  if (!client.Contains(pt)) return false;
  if (m_pOwner != nullptr && m_pOwner->IsDropDownScrolling() && m_pList != nullptr && m_pList->GetScrollBar() != nullptr) {
    const int strip = m_pList->GetScrollBar()->GetScrollBarWidth();
    if (pt.x >= client.right - strip) return false;
  }
  return true;
}

void CUIComboDropDown::ReturnItems(bool focusCombo) {
  if (m_bReturned || m_pOwner == nullptr) return;
  m_bReturned = true;
  if (m_pManager != nullptr) {
    m_pManager->ClearFocus();
    // The popup's hover, capture and key references must not outlive the items' stay.
    for (int i = 0; i < m_pOwner->GetCount(); ++i) m_pManager->ReapObjects(m_pOwner->GetItem(i));
  }
  if (m_pList != nullptr) m_pList->RemoveAll();
  m_pOwner->ReclaimItems();
  if (focusCombo) m_pOwner->SetFocus();
}

void CUIComboDropDown::Finish() {
  if (m_pOwner == nullptr) return;
  ReturnItems();
  CUIComboBox* owner = m_pOwner;
  m_pOwner = nullptr;
  owner->OnDropDownDestroyed();
}

void CUIComboDropDown::Abandon() {
  ReturnItems(false);
  m_pOwner = nullptr;
}

}  // namespace vorlix
