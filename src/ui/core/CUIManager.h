#pragma once
// One per window that hosts a control tree: turns the window's messages into events for the right
// control, keeps focus, hover and capture, runs per-control timers and tooltips, lays the tree out and
// paints it double-buffered, and delivers notifications to the registered listeners.
//
// The tree-side logic (focus, Tab order, name index, notifications, timer records, deferred deletion)
// is portable (CUIManager.cpp); everything that talks to the window system lives in win32/ (and a
// windowless stand-in in posix/, so the portable parts run in native tests).

#include <cstdint>
#include <memory>

#include "ui/core/CStdPtrArray.h"
#include "ui/core/CStdString.h"
#include "ui/core/CStdValArray.h"
#include "ui/core/CUIControl.h"
#include "ui/core/UIEvent.h"
#include "ui/core/UINotification.h"
#include "ui/core/UITypes.h"
#include "ui/render/IUIImage.h"

namespace vorlix {

// Asked about every window message before the manager routes it.
class IUIMessageFilter {
 public:
  virtual UILResult MessageFilter(unsigned uMsg, UIWParam wParam, UILParam lParam, bool& bHandled) = 0;
  virtual ~IUIMessageFilter() = default;
};

// One alpha blit run after the tree has painted into the off-screen bitmap.
struct UIPostPaint {
  UIBitmap hBitmap = nullptr;
  UIRect rcDest;
  unsigned char alpha = 255;
};

// The per-window state skin images, in the order they are set.
enum UISkinState { UISKIN_NORMAL = 0, UISKIN_HOT, UISKIN_PUSHED, UISKIN_DISABLED };

// The cursor shapes controls ask for.
enum class UICursorShape { Arrow, Hand, IBeam, SizeWE };

// The deferred tree deletion message, WM_APP + 1.
constexpr unsigned kUIMsgReapTrees = 0x8001;

class CUIManager {
 public:
  CUIManager();
  CUIManager(const CUIManager&) = delete;
  CUIManager& operator=(const CUIManager&) = delete;
  ~CUIManager();

  void Init(UIWindow hWnd);
  bool AttachRoot(CUIControl* root);
  bool InitControls(CUIControl* control, CUIControl* parent = nullptr);
  void ReapObjects(CUIControl* control);

  bool AddNotifier(INotifyUI* listener);
  bool RemoveNotifier(INotifyUI* listener);
  bool AddMessageFilter(IUIMessageFilter* filter);
  bool RemoveMessageFilter(IUIMessageFilter* filter);
  bool AddPostPaint(const UIPostPaint& record);
  void SendNotify(CUIControl* control, std::int32_t type, UIWParam wParam = 0, UILParam lParam = 0);

  void SetFocus(CUIControl* control);
  // Takes the focus away from the tree (KillFocus to the old holder); used when controls are removed.
  void ClearFocus();
  CUIControl* GetFocus() const { return m_pFocus; }
  bool SetNextTabControl(bool forward = true);

  CUIControl* GetRoot() const { return m_pRoot; }
  CUIControl* GetHover() const { return m_pEventHover; }
  CUIControl* GetCapture() const { return m_pEventClick; }
  CUIControl* FindControlAt(UIPoint pt) const;
  CUIControl* FindControlByName(const wchar_t* name);
  CUIControl* FindControlById(int id);
  // The Alt shortcut search: the control that a press of Alt + ch selects, or null.
  CUIControl* FindShortcut(wchar_t ch) const;

  bool SetTimer(CUIControl* control, unsigned id, unsigned elapseMs);
  bool KillTimer(CUIControl* control, unsigned id);

  void Invalidate(const UIRect& rc);
  void NeedUpdate();
  void NeedUpdate(const UIRect& rc);
  bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
  void SetCursorShape(UICursorShape shape);

  UIDeviceContext GetPaintDC() const { return m_hDcPaint; }
  UIWindow GetPaintWindow() const { return m_hWndPaint; }
  UIPoint GetMousePos() const { return m_ptLastMousePos; }
  UISize GetClientSize() const;
  UISize GetScrollBarSize() const { return m_szScrollBar; }
  bool GetShowAccelerators() const { return m_bShowAccelerators; }
  void SetShowAccelerators(bool show) { m_bShowAccelerators = show; }
  void SetMinMaxInfo(int cx, int cy);
  // The window's state skin images (UISkinState); an image is shared with whoever loaded it.
  void SetSkinImage(int state, std::shared_ptr<IUIImage> image);
  IUIImage* GetSkinImage(int state) const;  // null when unset
  UISize GetMinMaxInfo() const { return m_szMinWindow; }

  // Window message routing; true when the message was handled (lRes then holds the result).
  bool MessageHandler(unsigned uMsg, UIWParam wParam, UILParam lParam, UILResult& lRes);
  // Keyboard pre-translation before dispatch; true when the message was consumed.
  bool PreMessageHandler(unsigned uMsg, UIWParam wParam, UILParam lParam);

  static bool TranslateUIMessage(const UIMessage* msg);
  static void MessageLoop();
  // Resources ("PNG", "JPG") come from the latest module set; window classes (and string resources)
  // from the first one.
  static void SetResourceInstance(UIModule module);
  static UIModule GetResourceInstance();
  static UIModule GetClassInstance();

 private:
  struct TimerInfo {
    CUIControl* pSender;
    unsigned nLocalID;
    UIWindow hWnd;
    unsigned uWinTimer;
  };

  static CStdPtrArray& LiveManagers();  // every manager with a window, for TranslateUIMessage
  UIEvent MakeEvent(std::int32_t type, CUIControl* sender = nullptr) const;
  void SendEvent(CUIControl* target, UIEvent& event);
  // A key message as an event to one control: the key code both as character and as wParam.
  void SendKeyEvent(CUIControl* target, std::int32_t type, UIWParam wParam, UILParam lParam);
  void ReapDeferredTrees();
  void BuildNameIndex();
  void ProcessPostPaint(UIDeviceContext hdc);
  void KillTimerRecord(int index);
  std::uint16_t CurrentKeyState() const;

  // Window-system side (win32/ or posix/).
  void PlatformConstruct();
  void PlatformInit();
  void PlatformDestruct();
  std::uint32_t PlatformTickCount() const;
  void PlatformInvalidate(const UIRect* rc);
  void PlatformPostReap();
  bool PlatformSetTimer(unsigned nativeId, unsigned elapseMs);
  void PlatformKillTimer(UIWindow hWnd, unsigned nativeId);

  std::shared_ptr<IUIImage> m_aSkinImages[4];
  std::uintptr_t m_uGdiplusToken = 0;
  UIWindow m_hWndPaint = nullptr;
  UIDeviceContext m_hDcPaint = nullptr;
  UIDeviceContext m_hDcOffscreen = nullptr;
  UIBitmap m_hbmpOffscreen = nullptr;
  UIWindow m_hwndTooltip = nullptr;
  CStdString m_sToolTipText;
  bool m_bToolAdded = false;
  CUIControl* m_pRoot = nullptr;
  CUIControl* m_pFocus = nullptr;
  CUIControl* m_pEventHover = nullptr;
  CUIControl* m_pEventClick = nullptr;
  CUIControl* m_pEventKey = nullptr;
  UIPoint m_ptLastMousePos;
  UISize m_szMinWindow;
  unsigned m_uMsgMouseWheel = 0;
  unsigned m_uTimerID = 4096;
  bool m_bFirstLayout = true;
  bool m_bUpdateNeeded = false;
  bool m_bFocusNeeded = false;
  bool m_bOffscreenPaint = true;
  bool m_bMouseTracking = false;
  bool m_bShowAccelerators = false;
  UISize m_szScrollBar;
  CStdPtrArray m_aNotifiers;
  CStdPtrArray m_aNameHash;
  CStdPtrArray m_aTimers;
  CStdValArray m_aPostPaint;
  CStdPtrArray m_aMessageFilters;
  CStdPtrArray m_aDelayedCleanup;
};

}  // namespace vorlix
