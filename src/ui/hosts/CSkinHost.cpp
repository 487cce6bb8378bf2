#include "ui/hosts/CSkinHost.h"

#include <string>

#include "ui/controls/CUIVScrollBar.h"
#include "ui/extra/CUIEdit.h"
#include "ui/extra/CUILabelLine.h"
#include "ui/extra/CUIList.h"
#include "ui/extra/CUIMenuButton.h"
#include "ui/extra/CUIPageSheet.h"
#include "ui/extra/CUISliderctrl.h"
#include "ui/layout/CUIGroup.h"
#include "ui/hosts/DlgMessgeBox.h"
#include "ui/layout/CUIContainer.h"
#include "ui/render/UIStyle.h"
#include "ui/render/win32/UIImages.h"

namespace vorlix {

CSkinHost::CSkinHost() {
  // Scrolling containers of every tree hosted here get the real scroll bar.
  RegisterStandardControls();
}

CSkinHost::~CSkinHost() { DestroyLayer(); }

CUIControl* CSkinHost::GetControl(int id) { return m_pRoot != nullptr ? m_pm.FindControlById(id) : nullptr; }

CUIControl* CSkinHost::PlaceControl(CUIControl* control, int id, const RECT& rc, const wchar_t* text,
                                    bool intoGroup) {
  if (control == nullptr) return nullptr;
  if (m_pRoot == nullptr) {
    delete control;
    return nullptr;
  }
  control->SetId(id);
  control->SetPos(rc.left, rc.top, rc.right, rc.bottom);
  control->SetName(std::to_wstring(id).c_str());
  if (text != nullptr) control->SetText(text);
  CUIContainer* target = m_pRoot;
  if (intoGroup) {
    for (CUIContainer* group : m_groups) {
      const UIRect& g = group->GetPos();
      if (rc.left >= g.left && rc.top >= g.top && rc.right <= g.right && rc.bottom <= g.bottom) {
        target = group;
        break;
      }
    }
  }
  if (!target->Add(control)) {
    delete control;
    return nullptr;
  }
  return control;
}

CUIButton* CSkinHost::AddButton(int id, const RECT& rc, const wchar_t* text, bool intoGroup) {
  return Place(new CUIButton, id, rc, text, intoGroup);
}

CUILabel* CSkinHost::AddLabel(int id, const RECT& rc, const wchar_t* text, bool intoGroup) {
  return Place(new CUILabel, id, rc, text, intoGroup);
}

CUIComboBox* CSkinHost::AddCombo(int id, const RECT& rc, const wchar_t* text, bool intoGroup) {
  return Place(new CUIComboBox, id, rc, text, intoGroup);
}

CUIProgressBar* CSkinHost::AddProgress(int id, const RECT& rc, const wchar_t* text, bool intoGroup) {
  return Place(new CUIProgressBar, id, rc, text, intoGroup);
}

CUIEdit* CSkinHost::AddEdit(int id, const RECT& rc, const wchar_t* text, bool intoGroup) {
  return Place(new CUIEdit, id, rc, text, intoGroup);
}

CUIGroup* CSkinHost::AddGroup(int id, const RECT& rc, const wchar_t* text) {
  CUIGroup* group = Place(new CUIGroup, id, rc, text, false);
  if (group != nullptr) RegisterGroup(group);
  return group;
}

CUILabelLine* CSkinHost::AddLabelLine(int id, const RECT& rc, bool intoGroup) {
  return Place(new CUILabelLine, id, rc, nullptr, intoGroup);
}

CUIList* CSkinHost::AddList(int id, const RECT& rc, bool intoGroup) {
  return Place(new CUIList, id, rc, nullptr, intoGroup);
}

CUIMenuButton* CSkinHost::AddMenuButton(int id, const RECT& rc, const wchar_t* text) {
  return Place(new CUIMenuButton, id, rc, text, false);
}

CUIPageSheet* CSkinHost::AddTabFolder(int id, const RECT& rc) {
  return Place(new CUIPageSheet, id, rc, nullptr, false);
}

CUISliderctrl* CSkinHost::AddSlider(int id, const RECT& rc, bool intoGroup) {
  return Place(new CUISliderctrl, id, rc, nullptr, intoGroup);
}

CUIVScrollBar* CSkinHost::AddVScrollBar(int id, const RECT& rc, bool intoGroup) {
  return Place(new CUIVScrollBar, id, rc, nullptr, intoGroup);
}

int CSkinHost::MessageBox(const wchar_t* text, const wchar_t* caption, UINT type) {
  HWND hWnd = GetHostWindow();
  std::wstring title;
  if (caption == nullptr && hWnd != nullptr) {
    wchar_t buf[256] = {};
    GetWindowTextW(hWnd, buf, 256);
    title = buf;
    caption = title.c_str();
  }
  return SkinMessageBox(hWnd, text, caption, type);
}

void CSkinHost::SetSkinImages(int normal, int hot, int pushed, int disabled, HMODULE module) {
  ::vorlix::SetSkinImages(m_pm, normal, hot, pushed, disabled, module);
  m_pm.NeedUpdate();
}

void CSkinHost::SetCheckBoxImage(int id, HMODULE module) { ::vorlix::SetCheckBoxImage(id, module); }
void CSkinHost::SetRadioImage(int id, HMODULE module) { ::vorlix::SetRadioImage(id, module); }
void CSkinHost::SetMsgBoxButtonImage(int id, HMODULE module) { ::vorlix::SetMsgBoxButtonImage(id, module); }
void CSkinHost::SetMsgBoxCloseImage(int id, HMODULE module) { ::vorlix::SetMsgBoxCloseImage(id, module); }
void CSkinHost::SetScrollBarImage(int id, HMODULE module) { ::vorlix::SetScrollBarImage(id, module); }
void CSkinHost::SetDialogBackgroundImage(int id, HMODULE module) { ::vorlix::SetDialogBackgroundImage(id, module); }
void CSkinHost::SetDropDownHighlightImage(int id, HMODULE module) {
  ::vorlix::SetDropDownHighlightImage(id, module);
}
void CSkinHost::SetMenuHighlightImage(int id, HMODULE module) { ::vorlix::SetMenuHighlightImage(id, module); }
void CSkinHost::SetEditNormalFrameColors(UIColor light, UIColor dark) {
  CUIStyleTable::SetEditNormalFrameColors(light, dark);
}
void CSkinHost::SetEditFocusFrameColors(UIColor light, UIColor dark) {
  CUIStyleTable::SetEditFocusFrameColors(light, dark);
}
void CSkinHost::SetEditDisabledFrameColors(UIColor light, UIColor dark) {
  CUIStyleTable::SetEditDisabledFrameColors(light, dark);
}
void CSkinHost::SetDisabledTextColor(UIColor color) { CUIStyleTable::SetDisabledTextColor(color); }
void CSkinHost::SetEditBackgroundColor(UIColor color) { CUIStyleTable::SetEditBackgroundColor(color); }
void CSkinHost::SetDefaultTextColor(UIColor color) { CUIStyleTable::SetDefaultTextColor(color); }

void CSkinHost::CreateRoot(INotifyUI* listener) {
  HWND hWnd = GetHostWindow();
  if (m_hResourceModule == nullptr) m_hResourceModule = CUIManager::GetResourceInstance();
  if (m_hResourceModule == nullptr) m_hResourceModule = GetModuleHandleW(nullptr);
  CUIManager::SetResourceInstance(m_hResourceModule);
  m_pRoot = new CDialogLayoutUI;
  m_pm.Init(hWnd);
  m_pm.AttachRoot(m_pRoot);
  m_pm.AddNotifier(listener);
}

void CSkinHost::DestroyLayer() {
  if (m_pLayer == nullptr) return;
  HWND hLayer = m_pLayer->GetHWND();
  if (hLayer != nullptr && IsWindow(hLayer)) DestroyWindow(hLayer);
  m_pLayer.reset();
}

void CSkinHost::CreateLayer(HRGN hRgn) {
  DestroyLayer();
  HWND hWnd = GetHostWindow();
  RECT rc;
  GetWindowRect(hWnd, &rc);
  m_pLayer = std::make_unique<CUIWndLayer>(m_nLayerAlpha);
  // Owned like its window (not by it), so it can sit behind the window in z-order.
  if (m_pLayer->CreateLayer(GetWindow(hWnd, GW_OWNER), rc, hRgn) == nullptr) m_pLayer.reset();
}

void CSkinHost::SetWindowShape(const std::vector<POINT>& topLeft, const std::vector<POINT>& topRight,
                               const std::vector<POINT>& bottomRight, const std::vector<POINT>& bottomLeft) {
  HWND hWnd = GetHostWindow();
  if (hWnd == nullptr) return;
  RECT rc;
  GetClientRect(hWnd, &rc);
  const LONG w = rc.right - rc.left;
  const LONG h = rc.bottom - rc.top;
  std::vector<POINT> polygon;
  for (POINT p : topLeft) polygon.push_back(p);
  for (POINT p : topRight) polygon.push_back(POINT{p.x + w, p.y});
  for (POINT p : bottomRight) polygon.push_back(POINT{p.x + w, p.y + h});
  for (POINT p : bottomLeft) polygon.push_back(POINT{p.x, p.y + h});
  if (polygon.size() < 5) return;
  const int n = static_cast<int>(polygon.size());
  HRGN hRgn = CreatePolygonRgn(polygon.data(), n, WINDING);
  if (hRgn != nullptr && !SetWindowRgn(hWnd, hRgn, TRUE)) DeleteObject(hRgn);
  if (m_nLayerAlpha > 0) CreateLayer(CreatePolygonRgn(polygon.data(), n, WINDING));
}

void CSkinHost::SetRoundCorners(int diameter) {
  HWND hWnd = GetHostWindow();
  if (hWnd == nullptr) return;
  RECT rc;
  GetClientRect(hWnd, &rc);
  HRGN hRgn = CreateRoundRectRgn(0, 0, rc.right + 1, rc.bottom + 1, diameter, diameter);
  if (hRgn != nullptr && !SetWindowRgn(hWnd, hRgn, TRUE)) DeleteObject(hRgn);
  if (m_nLayerAlpha > 0) CreateLayer(CreateRoundRectRgn(0, 0, rc.right, rc.bottom, diameter, diameter));
}

void CSkinHost::UpdateLayer() {
  HWND hWnd = GetHostWindow();
  if (hWnd == nullptr) return;
  // Disabled while still in front: whatever disabled it has not come up yet; try again shortly.
  if (!IsWindowEnabled(hWnd) && GetForegroundWindow() == hWnd) {
    m_bLayerPending = true;
    ::SetTimer(hWnd, kLayerRetryTimer, kLayerRetryMs, nullptr);
    return;
  }
  m_bLayerPending = false;
  HWND hLayer = GetLayerWindow();
  if (hLayer == nullptr) return;
  if (IsWindowEnabled(hWnd) || !IsWindowVisible(hWnd)) {
    ::ShowWindow(hLayer, SW_HIDE);
    return;
  }
  HWND hForeground = GetForegroundWindow();
  RECT rc;
  GetWindowRect(hWnd, &rc);
  SetWindowPos(hLayer, hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (hForeground != nullptr && hForeground != hLayer && GetForegroundWindow() != hForeground)
    SetForegroundWindow(hForeground);
}

void CSkinHost::OnLayerTimer() {
  if (m_bLayerPending)
    UpdateLayer();
  else
    ::KillTimer(GetHostWindow(), kLayerRetryTimer);
}

}  // namespace vorlix
