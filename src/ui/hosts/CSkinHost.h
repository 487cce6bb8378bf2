#pragma once
// What the skinned dialog and the skinned frame share: the window's manager and root dialog layout,
// the add-control operations screens build their trees with, the window shape with its translucent
// layer, and the setters of the process-wide skin.
//
// <windows.h> comes first: MessageBox is the system's MessageBoxW macro, and the method below takes
// that one name everywhere this header is seen.
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/controls/CUIButton.h"
#include "ui/controls/CUIComboBox.h"
#include "ui/controls/CUILabel.h"
#include "ui/controls/CUIProgressBar.h"
#include "ui/core/CUIManager.h"
#include "ui/hosts/CUIWndLayer.h"
#include "ui/layout/CDialogLayoutUI.h"

namespace vorlix {

class CUIContainer;
class CUIEdit;
class CUIGroup;
class CUILabelLine;
class CUIList;
class CUIMenuButton;
class CUIPageSheet;
class CUISliderctrl;
class CUIVScrollBar;

// Sent by a skinned window to itself to place or hide its layer (WM_USER + 567).
constexpr UINT kMsgLayerUpdate = WM_USER + 567;
// Retries a layer update while the disabled window is still in the foreground.
constexpr UINT_PTR kLayerRetryTimer = 60000;
constexpr UINT kLayerRetryMs = 10;

class CSkinHost {
 public:
  CSkinHost();
  CSkinHost(const CSkinHost&) = delete;
  CSkinHost& operator=(const CSkinHost&) = delete;
  virtual ~CSkinHost();

  CUIManager& GetManager() { return m_pm; }
  CDialogLayoutUI* GetRoot() const { return m_pRoot; }
  // Null for unknown ids and before the root exists.
  CUIControl* GetControl(int id);

  // Each creates the control with its id, rectangle (client coordinates), name (the id in decimal) and
  // text, and adds it to the registered group containing the rectangle (intoGroup) or to the root.
  CUIButton* AddButton(int id, const RECT& rc, const wchar_t* text = nullptr, bool intoGroup = false);
  CUILabel* AddLabel(int id, const RECT& rc, const wchar_t* text = nullptr, bool intoGroup = false);
  CUIComboBox* AddCombo(int id, const RECT& rc, const wchar_t* text = nullptr, bool intoGroup = false);
  CUIProgressBar* AddProgress(int id, const RECT& rc, const wchar_t* text = nullptr, bool intoGroup = false);

  // The remaining toolkit classes in the same way. A group always goes into the root and becomes a
  // target of the into-group placement; menu button and tab folder always go into the root.
  CUIEdit* AddEdit(int id, const RECT& rc, const wchar_t* text = nullptr, bool intoGroup = false);
  CUIGroup* AddGroup(int id, const RECT& rc, const wchar_t* text = nullptr);
  CUILabelLine* AddLabelLine(int id, const RECT& rc, bool intoGroup = false);
  CUIList* AddList(int id, const RECT& rc, bool intoGroup = false);
  CUIMenuButton* AddMenuButton(int id, const RECT& rc, const wchar_t* text = nullptr);
  CUIPageSheet* AddTabFolder(int id, const RECT& rc);
  CUISliderctrl* AddSlider(int id, const RECT& rc, bool intoGroup = false);
  CUIVScrollBar* AddVScrollBar(int id, const RECT& rc, bool intoGroup = false);

  // The skinned message box over this window; caption null: the window's title.
  int MessageBox(const wchar_t* text, const wchar_t* caption = nullptr, UINT type = MB_OK);

  // The window's four state skin images.
  void SetSkinImages(int normal, int hot, int pushed, int disabled, HMODULE module = nullptr);
  // The process-wide skin images and style colours, offered where the screens build their windows.
  static void SetCheckBoxImage(int id, HMODULE module = nullptr);
  static void SetRadioImage(int id, HMODULE module = nullptr);
  static void SetMsgBoxButtonImage(int id, HMODULE module = nullptr);
  static void SetMsgBoxCloseImage(int id, HMODULE module = nullptr);
  static void SetScrollBarImage(int id, HMODULE module = nullptr);
  static void SetDialogBackgroundImage(int id, HMODULE module = nullptr);
  static void SetDropDownHighlightImage(int id, HMODULE module = nullptr);
  static void SetMenuHighlightImage(int id, HMODULE module = nullptr);
  static void SetEditNormalFrameColors(UIColor light, UIColor dark);
  static void SetEditFocusFrameColors(UIColor light, UIColor dark);
  static void SetEditDisabledFrameColors(UIColor light, UIColor dark);
  static void SetDisabledTextColor(UIColor color);
  static void SetEditBackgroundColor(UIColor color);
  static void SetDefaultTextColor(UIColor color);

  // 0 keeps the window without a layer; applies to the next shape.
  void SetLayerAlpha(int alpha) { m_nLayerAlpha = alpha; }
  int GetLayerAlpha() const { return m_nLayerAlpha; }
  bool IsLayerPending() const { return m_bLayerPending; }
  HWND GetLayerWindow() const { return m_pLayer != nullptr ? m_pLayer->GetHWND() : nullptr; }

  // One polygon from four corners' point lists: top-right points move right by the client width,
  // bottom-right by width and height, bottom-left down by the height. Fewer than five points: nothing.
  virtual void SetWindowShape(const std::vector<POINT>& topLeft, const std::vector<POINT>& topRight,
                              const std::vector<POINT>& bottomRight, const std::vector<POINT>& bottomLeft);
  // A rounded rectangle over the client area.
  virtual void SetRoundCorners(int diameter);

 protected:
  virtual HWND GetHostWindow() const = 0;

  // Resource module, root dialog layout, manager attached to the window, listener registered.
  void CreateRoot(INotifyUI* listener);
  // Places the layer behind the window while it is disabled; see kMsgLayerUpdate.
  void UpdateLayer();
  // WM_TIMER kLayerRetryTimer: repeat a pending update, or stop retrying.
  void OnLayerTimer();
  void DestroyLayer();
  // A new layer over the window with the given region (taken over).
  void CreateLayer(HRGN hRgn);

  // Common part of the add-control operations; deletes the control when it cannot be added.
  template <class T>
  T* Place(T* control, int id, const RECT& rc, const wchar_t* text, bool intoGroup) {
    return static_cast<T*>(PlaceControl(control, id, rc, text, intoGroup));
  }
  CUIControl* PlaceControl(CUIControl* control, int id, const RECT& rc, const wchar_t* text, bool intoGroup);
  // Containers the add operations can put controls into (registered by AddGroup).
  void RegisterGroup(CUIContainer* group) { m_groups.push_back(group); }

  CUIManager m_pm;
  CDialogLayoutUI* m_pRoot = nullptr;  // owned by the manager once attached
  std::vector<CUIContainer*> m_groups;
  std::unique_ptr<CUIWndLayer> m_pLayer;
  bool m_bLayerPending = false;
  int m_nLayerAlpha = 80;
  HMODULE m_hResourceModule = nullptr;
};

}  // namespace vorlix
