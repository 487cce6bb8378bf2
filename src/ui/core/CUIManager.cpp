// The tree-side half of the manager: nothing here talks to the window system directly.
#include "ui/core/CUIManager.h"

#include "ui/render/UIStyle.h"

#include <cwchar>
#include <unordered_set>
#include <vector>

namespace vorlix {
namespace {

UIModule g_hResourceInstance = nullptr;
UIModule g_hClassInstance = nullptr;

std::uint32_t NameHash(const wchar_t* name) {
  std::uint32_t h = 0;
  std::size_t n = std::wcslen(name);
  while (n > 0) {
    --n;
    h = h * 33u + static_cast<std::uint32_t>(static_cast<std::uint16_t>(name[n]));
  }
  return h;
}

CUIControl* CountControl(CUIControl* /*control*/, void* data) {
  ++*static_cast<int*>(data);
  return nullptr;
}

CUIControl* InsertNamed(CUIControl* control, void* data) {
  auto* table = static_cast<CStdPtrArray*>(data);
  CStdString name = control->GetName();
  if (name.IsEmpty()) return nullptr;
  int size = table->GetSize();
  if (size == 0) return nullptr;
  int slot = static_cast<int>(NameHash(name) % static_cast<std::uint32_t>(size));
  for (int tries = 0; tries < size; ++tries) {
    if (table->GetAt(slot) == nullptr) {
      table->SetAt(slot, control);
      return nullptr;
    }
    slot = (slot + 1) % size;
  }
  return nullptr;
}

CUIControl* AcceptUnderPoint(CUIControl* control, void* /*data*/) {
  return control->IsMouseTransparent() ? nullptr : control;
}

struct SearchOrder {
  std::vector<CUIControl*> controls;
  std::unordered_set<CUIControl*> seen;
};

// Records every visited control once; a container visited before and after its children counts where
// it was seen first.
CUIControl* CollectOrder(CUIControl* control, void* data) {
  auto* order = static_cast<SearchOrder*>(data);
  if (order->seen.insert(control).second) order->controls.push_back(control);
  return nullptr;
}

wchar_t UpperCase(wchar_t ch) {
  if (ch >= L'a' && ch <= L'z') return static_cast<wchar_t>(ch - 32);
  return ch;
}

struct ShortcutSearch {
  wchar_t ch;
  bool bPickNext;
};

CUIControl* MatchShortcut(CUIControl* control, void* data) {
  auto* search = static_cast<ShortcutSearch*>(data);
  const wchar_t* cls = control->GetClass();
  if (search->bPickNext) {
    search->bPickNext = false;
    // A menu label never takes over a label's match.
    if (std::wcsstr(cls, L"ListMenuLabelElementUI") == nullptr) return control;
  }
  if (control->GetShortcut() == 0 || UpperCase(control->GetShortcut()) != UpperCase(search->ch)) return nullptr;
  if (std::wcsstr(cls, L"Label") != nullptr) {
    // A label hands its shortcut to the control found after it.
    search->bPickNext = true;
    return nullptr;
  }
  return control;
}

}  // namespace

CStdPtrArray& CUIManager::LiveManagers() {
  static CStdPtrArray managers;
  return managers;
}

CUIManager::CUIManager() : m_aPostPaint(static_cast<int>(sizeof(UIPostPaint))) {
  m_ptLastMousePos = MakeUIPoint(-1, -1);
  m_szMinWindow.cx = 140;
  m_szMinWindow.cy = 200;
  // The first window fills the process-wide style table; later ones find the fonts made and leave it.
  CUIStyleTable::EnsureDefaults();
  PlatformConstruct();
}

void CUIManager::SetSkinImage(int state, std::shared_ptr<IUIImage> image) {
  if (state < UISKIN_NORMAL || state > UISKIN_DISABLED) return;
  m_aSkinImages[state] = std::move(image);
}

IUIImage* CUIManager::GetSkinImage(int state) const {
  if (state < UISKIN_NORMAL || state > UISKIN_DISABLED) return nullptr;
  return m_aSkinImages[state].get();
}

CUIManager::~CUIManager() {
  ReapDeferredTrees();
  CUIControl* root = m_pRoot;
  m_pRoot = nullptr;
  m_pFocus = nullptr;
  delete root;
  while (m_aTimers.GetSize() > 0) KillTimerRecord(m_aTimers.GetSize() - 1);
  PlatformDestruct();
  CStdPtrArray& live = LiveManagers();
  int index = live.Find(this);
  if (index >= 0) live.Remove(index);
}

void CUIManager::Init(UIWindow hWnd) {
  m_hWndPaint = hWnd;
  CStdPtrArray& live = LiveManagers();
  if (live.Find(this) < 0) live.Add(this);
  PlatformInit();
}

bool CUIManager::AttachRoot(CUIControl* root) {
  m_pEventHover = nullptr;
  m_pEventClick = nullptr;
  m_pEventKey = nullptr;
  m_aNameHash.Empty();
  if (m_pRoot != nullptr && m_pRoot != root) {
    // The old tree may be the one whose handler is running right now: delete it later.
    m_aDelayedCleanup.Add(m_pRoot);
    PlatformPostReap();
  }
  m_pRoot = root;
  m_bUpdateNeeded = true;
  m_bFirstLayout = true;
  m_bFocusNeeded = true;
  // A tree replaced at run time must show without waiting for something else to repaint.
  PlatformInvalidate(nullptr);
  if (root == nullptr) return false;
  return InitControls(root);
}

bool CUIManager::InitControls(CUIControl* control, CUIControl* parent) {
  if (control == nullptr) return false;
  control->SetManager(this, parent != nullptr ? parent : control->GetParent());
  m_aNameHash.Empty();
  return true;
}

void CUIManager::ReapObjects(CUIControl* control) {
  if (control == nullptr) return;
  if (control == m_pEventKey) m_pEventKey = nullptr;
  if (control == m_pEventHover) m_pEventHover = nullptr;
  if (control == m_pEventClick) m_pEventClick = nullptr;
  // Owners are meant to move the focus and kill timers first, but a tree replaced by AttachRoot is
  // destroyed later with its focus and timers still in place: forget them rather than keep dangling
  // references that the next paint or timer tick would follow.
  if (control == m_pFocus) m_pFocus = nullptr;
  for (int i = m_aTimers.GetSize() - 1; i >= 0; --i) {
    if (static_cast<TimerInfo*>(m_aTimers.GetAt(i))->pSender == control) KillTimerRecord(i);
  }
  if (control == m_pRoot) m_pRoot = nullptr;
  m_aNameHash.Empty();
}

void CUIManager::ReapDeferredTrees() {
  // Take the list first: destructors call back into ReapObjects.
  CStdPtrArray trees = m_aDelayedCleanup;
  m_aDelayedCleanup.Empty();
  for (int i = 0; i < trees.GetSize(); ++i) delete static_cast<CUIControl*>(trees.GetAt(i));
}

bool CUIManager::AddNotifier(INotifyUI* listener) {
  if (listener == nullptr || m_aNotifiers.Find(listener) >= 0) return false;
  return m_aNotifiers.Add(listener);
}

bool CUIManager::RemoveNotifier(INotifyUI* listener) {
  int index = m_aNotifiers.Find(listener);
  return index >= 0 && m_aNotifiers.Remove(index);
}

bool CUIManager::AddMessageFilter(IUIMessageFilter* filter) {
  if (filter == nullptr || m_aMessageFilters.Find(filter) >= 0) return false;
  return m_aMessageFilters.Add(filter);
}

bool CUIManager::RemoveMessageFilter(IUIMessageFilter* filter) {
  int index = m_aMessageFilters.Find(filter);
  return index >= 0 && m_aMessageFilters.Remove(index);
}

bool CUIManager::AddPostPaint(const UIPostPaint& record) { return m_aPostPaint.Add(&record); }

void CUIManager::SendNotify(CUIControl* control, std::int32_t type, UIWParam wParam, UILParam lParam) {
  if (control == nullptr) return;
  UINotification msg;
  msg.Type = type;
  msg.pSender = control;
  msg.dwTimestamp = PlatformTickCount();
  msg.ptMouse = m_ptLastMousePos;
  msg.wParam = wParam;
  msg.lParam = lParam;
  control->Notify(msg);
  // By index: a listener may unregister itself (or others) while it is being told.
  for (int i = 0; i < m_aNotifiers.GetSize(); ++i) {
    static_cast<INotifyUI*>(m_aNotifiers.GetAt(i))->Notify(msg);
  }
}

UIEvent CUIManager::MakeEvent(std::int32_t type, CUIControl* sender) const {
  UIEvent event;
  event.Type = type;
  event.pSender = sender;
  event.dwTimestamp = PlatformTickCount();
  event.ptMouse = m_ptLastMousePos;
  event.wKeyState = CurrentKeyState();
  return event;
}

void CUIManager::SendEvent(CUIControl* target, UIEvent& event) {
  if (target != nullptr) target->Event(event);
}

void CUIManager::SetFocus(CUIControl* control) {
  if (control == nullptr || control == m_pFocus) return;
  if (m_pFocus != nullptr) {
    CUIControl* old = m_pFocus;
    UIEvent event = MakeEvent(UIEVENT_KILLFOCUS, control);
    SendEvent(old, event);
    SendNotify(old, UINOTIFY_KILLFOCUS);
    m_pFocus = nullptr;
  }
  if (control->GetManager() == this && control->IsVisible() && control->IsEnabled()) {
    m_bFocusNeeded = false;
    m_pFocus = control;
    UIEvent event = MakeEvent(UIEVENT_SETFOCUS);
    SendEvent(control, event);
    SendNotify(control, UINOTIFY_SETFOCUS);
  }
}

void CUIManager::ClearFocus() {
  CUIControl* old = m_pFocus;
  if (old == nullptr) return;
  m_pFocus = nullptr;
  UIEvent event = MakeEvent(UIEVENT_KILLFOCUS);
  SendEvent(old, event);
  SendNotify(old, UINOTIFY_KILLFOCUS);
}

bool CUIManager::SetNextTabControl(bool forward) {
  if (m_bUpdateNeeded) {
    // Not laid out yet: the paint handler repeats this once positions are known.
    m_bFocusNeeded = true;
    PlatformInvalidate(nullptr);
    return true;
  }
  m_bFocusNeeded = false;
  if (m_pRoot == nullptr) return false;
  SearchOrder order;
  m_pRoot->FindControl(CollectOrder, &order, UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST);
  std::vector<CUIControl*> stops;
  int focusAt = -1;  // index into stops of the first tab stop after the focus (forward) or at/after it
  for (CUIControl* c : order.controls) {
    if (c == m_pFocus) focusAt = static_cast<int>(stops.size());
    if ((c->GetControlFlags() & UIFLAG_TABSTOP) != 0) stops.push_back(c);
  }
  if (stops.empty()) return false;
  CUIControl* next = nullptr;
  if (m_pFocus == nullptr) {
    next = stops.front();
  } else if (forward) {
    // Tab stops strictly after the focused control in search order.
    int from = focusAt;
    if (from >= 0 && from < static_cast<int>(stops.size()) && stops[from] == m_pFocus) ++from;
    next = (from >= 0 && from < static_cast<int>(stops.size())) ? stops[from] : stops.front();
  } else {
    // The last tab stop before the focused control; from the first one (or an unknown focus) wrap.
    next = (focusAt > 0) ? stops[focusAt - 1] : stops.back();
  }
  SetFocus(next);
  m_bFocusNeeded = false;
  return true;
}

CUIControl* CUIManager::FindControlAt(UIPoint pt) const {
  if (m_pRoot == nullptr) return nullptr;
  return m_pRoot->FindControl(AcceptUnderPoint, &pt, UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_HITTEST);
}

void CUIManager::BuildNameIndex() {
  int count = 0;
  m_pRoot->FindControl(CountControl, &count, UIFIND_ALL);
  m_aNameHash.Resize(count + count / 10);
  m_pRoot->FindControl(InsertNamed, &m_aNameHash, UIFIND_ALL);
}

CUIControl* CUIManager::FindControlByName(const wchar_t* name) {
  if (m_pRoot == nullptr || name == nullptr) return nullptr;
  if (m_aNameHash.GetSize() == 0) BuildNameIndex();
  int size = m_aNameHash.GetSize();
  if (size == 0) return nullptr;
  int slot = static_cast<int>(NameHash(name) % static_cast<std::uint32_t>(size));
  for (int tries = 0; tries < size; ++tries) {
    auto* control = static_cast<CUIControl*>(m_aNameHash.GetAt(slot));
    if (control == nullptr) return nullptr;
    if (control->GetName() == name) return control;
    slot = (slot + 1) % size;
  }
  return nullptr;
}

CUIControl* CUIManager::FindControlById(int id) {
  CStdString name;
  name.Format(L"%d", id);
  return FindControlByName(name);
}

CUIControl* CUIManager::FindShortcut(wchar_t ch) const {
  if (m_pRoot == nullptr) return nullptr;
  ShortcutSearch search = {ch, false};
  return m_pRoot->FindControl(MatchShortcut, &search, UIFIND_ME_FIRST | UIFIND_VISIBLE | UIFIND_ENABLED);
}

bool CUIManager::SetTimer(CUIControl* control, unsigned id, unsigned elapseMs) {
  if (control == nullptr) return false;
  m_uTimerID = (m_uTimerID + 1) % 255;
  if (!PlatformSetTimer(m_uTimerID, elapseMs)) return false;
  auto* info = new TimerInfo{control, id, m_hWndPaint, m_uTimerID};
  if (!m_aTimers.Add(info)) {
    PlatformKillTimer(m_hWndPaint, m_uTimerID);
    delete info;
    return false;
  }
  return true;
}

bool CUIManager::KillTimer(CUIControl* control, unsigned id) {
  for (int i = 0; i < m_aTimers.GetSize(); ++i) {
    auto* info = static_cast<TimerInfo*>(m_aTimers.GetAt(i));
    if (info->pSender == control && info->hWnd == m_hWndPaint && info->nLocalID == id) {
      KillTimerRecord(i);
      return true;
    }
  }
  return false;
}

void CUIManager::KillTimerRecord(int index) {
  auto* info = static_cast<TimerInfo*>(m_aTimers.GetAt(index));
  if (info == nullptr) return;
  PlatformKillTimer(info->hWnd, info->uWinTimer);
  m_aTimers.Remove(index);
  delete info;
}

void CUIManager::Invalidate(const UIRect& rc) { PlatformInvalidate(&rc); }

void CUIManager::NeedUpdate() {
  m_bUpdateNeeded = true;
  PlatformInvalidate(nullptr);
}

void CUIManager::NeedUpdate(const UIRect& rc) {
  m_bUpdateNeeded = true;
  PlatformInvalidate(&rc);
}

void CUIManager::SetMinMaxInfo(int cx, int cy) {
  m_szMinWindow.cx = cx;
  m_szMinWindow.cy = cy;
}

void CUIManager::SetResourceInstance(UIModule module) {
  g_hResourceInstance = module;
  if (g_hClassInstance == nullptr) g_hClassInstance = module;
}

UIModule CUIManager::GetResourceInstance() { return g_hResourceInstance; }
UIModule CUIManager::GetClassInstance() { return g_hClassInstance; }

}  // namespace vorlix
