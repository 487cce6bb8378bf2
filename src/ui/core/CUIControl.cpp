#include "ui/core/CUIControl.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "ui/core/CUIManager.h"

namespace vorlix {
namespace {

// Even-odd containment, the default fill rule of a path built from the polygon.
bool PolygonContains(const std::vector<UIPoint>& poly, int x, int y) {
  bool inside = false;
  std::size_t n = poly.size();
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const UIPoint& a = poly[i];
    const UIPoint& b = poly[j];
    if ((a.y > y) != (b.y > y)) {
      // x coordinate of the edge at height y, compared without division.
      long long lhs = static_cast<long long>(x - a.x) * (b.y - a.y);
      long long rhs = static_cast<long long>(b.x - a.x) * (y - a.y);
      if (b.y - a.y > 0 ? lhs < rhs : lhs > rhs) inside = !inside;
    }
  }
  return inside;
}

}  // namespace

CUIControl::CUIControl() = default;

void CUIControl::Notify(const UINotification& /*msg*/) {}

CUIControl::~CUIControl() {
  if (m_pManager != nullptr) m_pManager->ReapObjects(this);
}

CStdString CUIControl::GetName() const { return m_sName; }
void CUIControl::SetName(const wchar_t* name) { m_sName = name; }
int CUIControl::GetId() const { return m_nId; }
void CUIControl::SetId(int id) { m_nId = id; }

void CUIControl::AddRegionPoints(const UIPoint* points, int count) {
  if (points == nullptr) return;
  for (int i = 0; i < count; ++i) m_aRegion.push_back(points[i]);
}

void CUIControl::SetRegion(int count, ...) {
  m_aRegion.clear();
  va_list args;
  va_start(args, count);
  for (int i = 0; i < count; ++i) m_aRegion.push_back(va_arg(args, UIPoint));
  va_end(args);
}

void* CUIControl::GetInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"Control") == 0) return this;
  return nullptr;
}

bool CUIControl::Activate() { return IsVisible() && IsEnabled(); }
CUIControl* CUIControl::GetParent() const { return m_pParent; }
CStdString CUIControl::GetText() const { return m_sText; }

void CUIControl::SetText(const wchar_t* text) {
  m_sText = text;
  Invalidate();
}

CStdString CUIControl::GetToolTip() const { return m_sToolTip; }
void CUIControl::SetToolTip(const wchar_t* text) { m_sToolTip = text; }
wchar_t CUIControl::GetShortcut() const { return m_chShortcut; }
void CUIControl::SetShortcut(wchar_t ch) { m_chShortcut = ch; }
std::uintptr_t CUIControl::GetUserData() const { return m_pUserData; }
void CUIControl::SetUserData(std::uintptr_t value) { m_pUserData = value; }

void CUIControl::SetFocus() {
  if (m_pManager != nullptr) m_pManager->SetFocus(this);
}

bool CUIControl::IsVisible() const { return m_bVisible; }
bool CUIControl::IsEnabled() const { return m_bEnabled; }
bool CUIControl::IsFocused() const { return m_bFocused; }

void CUIControl::SetVisible(bool visible) {
  m_bVisible = visible;
  Invalidate();
}

void CUIControl::SetEnabled(bool enabled) {
  m_bEnabled = enabled;
  Invalidate();
}

CUIControl* CUIControl::FindControl(UIFindControlProc proc, void* data, std::uint32_t flags) {
  if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((flags & UIFIND_HITTEST) != 0) {
    const UIPoint& pt = *static_cast<const UIPoint*>(data);
    if (!m_rcItem.Contains(pt)) return nullptr;
    if (!m_aRegion.empty() && !HitTestRegion(pt.x, pt.y)) return nullptr;
  }
  return proc(this, data);
}

bool CUIControl::HitTestRegion(int x, int y) const {
  if (m_aRegion.empty()) return true;
  return PolygonContains(m_aRegion, x, y);
}

CUIManager* CUIControl::GetManager() const { return m_pManager; }

void CUIControl::SetManager(CUIManager* manager, CUIControl* parent) {
  bool first = m_pManager == nullptr && manager != nullptr;
  m_pManager = manager;
  m_pParent = parent;
  if (first) Init();
}

const UIRect& CUIControl::GetPos() const { return m_rcItem; }

void CUIControl::SetPos(int left, int top, int right, int bottom) {
  UIRect old = m_rcItem;
  m_rcItem = MakeUIRect(left, top, right, bottom);
  if (m_pManager == nullptr) return;
  // Both: moving a control must repaint where it was as well as where it is.
  m_pManager->Invalidate(old);
  m_pManager->Invalidate(m_rcItem);
}

std::uintptr_t CUIControl::GetTag() const { return m_pTag; }
void CUIControl::SetTag(std::uintptr_t value) { m_pTag = value; }
unsigned CUIControl::GetControlFlags() const { return 0; }
void CUIControl::Init() {}

void CUIControl::Event(UIEvent& event) {
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (m_pManager != nullptr) m_pManager->SetCursorShape(UICursorShape::Arrow);
      return;
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
      m_bFocused = event.Type == UIEVENT_SETFOCUS;
      Invalidate();
      return;
    case UIEVENT_TIMER:
      if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_TIMER, event.wParam, event.lParam);
      return;
    default:
      if (m_pParent != nullptr) m_pParent->Event(event);
      return;
  }
}

void CUIControl::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (std::wcscmp(name, L"pos") == 0) {
    // Four decimal integers, one separator character between them.
    wchar_t* end = nullptr;
    int v[4] = {0, 0, 0, 0};
    const wchar_t* p = value;
    for (int i = 0; i < 4; ++i) {
      v[i] = static_cast<int>(std::wcstol(p, &end, 10));
      if (i < 3) {
        if (*end == 0) break;
        p = end + 1;
      }
    }
    SetPos(v[0], v[1], v[2], v[3]);
  } else if (std::wcscmp(name, L"name") == 0) {
    SetName(value);
  } else if (std::wcscmp(name, L"text") == 0) {
    SetText(value);
  } else if (std::wcscmp(name, L"tooltip") == 0) {
    SetToolTip(value);
  } else if (std::wcscmp(name, L"enabled") == 0) {
    SetEnabled(std::wcscmp(value, L"TRUE") == 0);
  } else if (std::wcscmp(name, L"visible") == 0) {
    SetVisible(std::wcscmp(value, L"TRUE") == 0);
  } else if (std::wcscmp(name, L"shortcut") == 0) {
    SetShortcut(value[0]);
  }
}

void CUIControl::Invalidate() {
  if (m_pManager != nullptr) m_pManager->Invalidate(m_rcItem);
}

void CUIControl::NeedUpdate() {
  if (m_pManager != nullptr) m_pManager->NeedUpdate();
}

bool CUIControl::SetTimer(unsigned id, unsigned elapseMs) {
  return m_pManager != nullptr && m_pManager->SetTimer(this, id, elapseMs);
}

bool CUIControl::KillTimer(unsigned id) { return m_pManager != nullptr && m_pManager->KillTimer(this, id); }

void CUIControl::SetMouseTransparent(bool transparent) { m_bMouseTransparent = transparent; }

void CUIControl::ApplyAttributeList(const wchar_t* list) {
  if (list == nullptr) return;
  const wchar_t* p = list;
  while (*p != 0) {
    const wchar_t* eq = std::wcschr(p, L'=');
    if (eq == nullptr || eq[1] != L'"') return;
    CStdString name(p, static_cast<int>(eq - p));
    const wchar_t* valueStart = eq + 2;
    const wchar_t* close = std::wcschr(valueStart, L'"');
    if (close == nullptr) return;
    CStdString value(valueStart, static_cast<int>(close - valueStart));
    SetAttribute(name, value);
    if (close[1] != L',') return;
    p = close + 2;
  }
}

}  // namespace vorlix
