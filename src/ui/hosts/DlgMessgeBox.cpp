#include "ui/hosts/DlgMessgeBox.h"

#include <shellapi.h>

#include <vector>

#include "ui/controls/UIMeasure.h"
#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/win32/CGdipImage.h"

namespace vorlix {

static_assert(kMsgBoxOkCancel == MB_OKCANCEL && kMsgBoxYesNoCancel == MB_YESNOCANCEL && kMsgBoxYesNo == MB_YESNO,
              "message box types are the system's");
static_assert(kMsgBoxIconError == MB_ICONERROR && kMsgBoxIconQuestion == MB_ICONQUESTION &&
                  kMsgBoxIconExclamation == MB_ICONEXCLAMATION && kMsgBoxIconInformation == MB_ICONINFORMATION,
              "message box icons are the system's");

namespace {

// The process-wide skin images live as long as the program; controls share them without owning them.
std::shared_ptr<IUIImage> SharedSkinImage(UISkinSlot slot) {
  IUIImage* image = CUISkinImages::Get(slot);
  return image != nullptr ? std::shared_ptr<IUIImage>(std::shared_ptr<IUIImage>(), image) : nullptr;
}

// A GDI+ bitmap of the icon; a 32-bit icon keeps its own alpha channel.
std::shared_ptr<IUIImage> ImageFromIcon(HICON hIcon) {
  ICONINFO info = {};
  if (hIcon == nullptr || !GetIconInfo(hIcon, &info)) return nullptr;
  std::shared_ptr<IUIImage> image;
  BITMAP bm = {};
  if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof(bm), &bm) != 0 && bm.bmBitsPixel == 32) {
    const int w = bm.bmWidth;
    const int h = bm.bmHeight;
    std::vector<DWORD> pixels(static_cast<std::size_t>(w) * h);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, info.hbmColor, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    bool hasAlpha = false;
    for (DWORD p : pixels) hasAlpha = hasAlpha || (p >> 24) != 0;
    if (lines == h && hasAlpha) {
      EnsureGdiplus();
      auto* bitmap = new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB);
      Gdiplus::BitmapData data;
      Gdiplus::Rect rc(0, 0, w, h);
      if (bitmap->LockBits(&rc, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) == Gdiplus::Ok) {
        for (int y = 0; y < h; ++y)
          memcpy(static_cast<BYTE*>(data.Scan0) + y * data.Stride, &pixels[static_cast<std::size_t>(y) * w],
                 static_cast<std::size_t>(w) * 4);
        bitmap->UnlockBits(&data);
        image = std::make_shared<CGdipImage>(bitmap);
      } else {
        delete bitmap;
      }
    }
  }
  if (image == nullptr) {
    EnsureGdiplus();
    Gdiplus::Bitmap* bitmap = Gdiplus::Bitmap::FromHICON(hIcon);
    if (bitmap != nullptr && bitmap->GetLastStatus() == Gdiplus::Ok)
      image = std::make_shared<CGdipImage>(bitmap);
    else
      delete bitmap;
  }
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return image;
}

UISize FrameOf(IUIImage* strip) {
  UISize size;
  if (strip != nullptr) {
    size.cx = strip->GetWidth() / 4;
    size.cy = strip->GetHeight();
  }
  return size;
}

RECT ToRect(const UIRect& rc) { return RECT{rc.left, rc.top, rc.right, rc.bottom}; }

}  // namespace

DlgMessgeBox::DlgMessgeBox(const wchar_t* text, const wchar_t* caption, UINT type, UINT templateId,
                           HMODULE resourceModule, CAppModule* appModule)
    : CSkinDialog(templateId, appModule),
      m_sCaption(caption != nullptr ? caption : L""),
      m_sText(text != nullptr ? text : L""),
      m_uType(type) {
  m_hResourceModule = resourceModule;
}

DlgMessgeBox::~DlgMessgeBox() {
  if (m_hIcon != nullptr) DestroyIcon(m_hIcon);
}

BOOL DlgMessgeBox::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  SetWindowTextW(m_hWnd, m_sCaption.c_str());
  SetWindowPos(m_hWnd, nullptr, 0, 0, kInitialWidth, kInitialHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetRoundCorners(6);
  BuildUI();
  return TRUE;
}

std::shared_ptr<IUIImage> DlgMessgeBox::LoadTypeIcon() {
  if (m_hIcon == nullptr) {
    // The index names a picture of user32's icon list in Windows' order; Wine's user32 lists the same
    // pictures in another order, so they are taken by their standard identities, which are the same
    // pictures on Windows. The box owns a copy because the system's own icons are shared.
    static const LPCWSTR kSystemIcons[] = {IDI_INFORMATION, IDI_WARNING, IDI_QUESTION, IDI_ERROR, IDI_INFORMATION};
    HICON shared = LoadIconW(nullptr, kSystemIcons[MessageBoxIconIndex(m_uType)]);
    if (shared != nullptr) m_hIcon = CopyIcon(shared);
  }
  return ImageFromIcon(m_hIcon);
}

UISize DlgMessgeBox::MeasureText() {
  UISize size;
  auto painter = CreateMeasurePainter(&m_pm);
  if (painter == nullptr || m_sText.empty()) return size;
  // Without a width limit, so a long line widens the box instead of wrapping; line feeds still break.
  UIRect rc = MakeUIRect(0, 0, 9999, 9999);
  int links = 0;
  DrawPrettyText(*painter, MarkupContextOf(&m_pm), rc, m_sText.c_str(), 0, kUIColorNoBackground, nullptr, links,
                 UITEXT_CALCRECT);
  size.cx = rc.right - rc.left;
  size.cy = rc.bottom - rc.top;
  return size;
}

void DlgMessgeBox::BuildUI() {
  const UIMessageBoxStyle& style = GetMessageBoxStyle();
  std::shared_ptr<IUIImage> icon = LoadTypeIcon();
  UISize iconSize;
  if (icon != nullptr) {
    iconSize.cx = icon->GetWidth();
    iconSize.cy = icon->GetHeight();
  }
  std::shared_ptr<IUIImage> closeStrip = SharedSkinImage(UISkinSlot::MsgBoxClose);
  std::shared_ptr<IUIImage> buttonStrip = SharedSkinImage(UISkinSlot::MsgBoxButton);
  m_layout = LayoutMessageBox(style, m_uType, iconSize, MeasureText(), FrameOf(closeStrip.get()));
  const UISize size = m_layout.size;

  // Size first: the shape's corner points are placed against the new client area.
  SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const LONG c = style.nCornerSize;
  SetWindowShape({POINT{0, c}, POINT{c, 0}}, {POINT{-c, 0}, POINT{0, c}}, {POINT{0, -c}, POINT{-c, 0}},
                 {POINT{c, 0}, POINT{0, -c}});
  CenterWindowOnOwner(m_hWnd);
  m_pRoot->SetPos(0, 0, size.cx, size.cy);

  if (CUILabel* title = AddLabel(kMsgBoxTitleId, ToRect(m_layout.rcTitle), m_sCaption.c_str())) {
    title->SetTextColor(style.clrTitle);
    title->SetTextStyle(style.uTitleTextStyle);
  }
  if (CUIButton* close = AddButton(kMsgBoxCloseId, ToRect(m_layout.rcClose))) {
    if (closeStrip != nullptr) close->SetImage(closeStrip);
  }
  if (icon != nullptr) {
    if (CUILabel* iconLabel = AddLabel(kMsgBoxIconId, ToRect(m_layout.rcIcon))) iconLabel->SetImage(icon);
  }
  if (CUILabel* text = AddLabel(kMsgBoxTextId, ToRect(m_layout.rcText), m_sText.c_str())) {
    text->SetTextColor(style.clrText);
    text->SetTextStyle(0);
  }
  for (const UIMessageBoxButton& b : m_layout.buttons) {
    CUIButton* button = AddButton(b.id, ToRect(b.rc), b.text);
    if (button == nullptr) continue;
    button->SetName(b.name);
    button->SetTextColors(style.clrButtonNormal, style.clrButtonHot, style.clrButtonPushed, style.clrButtonDisabled);
    if (buttonStrip != nullptr) button->SetImage(buttonStrip);
  }
  m_pm.NeedUpdate();
}

void DlgMessgeBox::Notify(const UINotification& msg) {
  if (msg.Type != UINOTIFY_CLICK || msg.pSender == nullptr) return;
  int result = MessageBoxResultFor(msg.pSender->GetId());
  if (result < 0) return;
  m_nBoxResult = result;
  Close(result);
}

LRESULT DlgMessgeBox::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  if (uMsg == WM_NCHITTEST) {
    // The borderless box is dragged by its title strip (not by the close button's corner).
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(m_hWnd, &pt);
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    if (pt.y >= 0 && pt.y < 31 && pt.x < rc.right - 100 && GetKeyState(VK_LBUTTON) < 0) {
      bHandled = true;
      return HTCAPTION;
    }
  }
  return CSkinDialog::HandleMessage(uMsg, wParam, lParam, bHandled);
}

int SkinMessageBox(HWND hWndOwner, const wchar_t* text, const wchar_t* caption, UINT type) {
  const UIMessageBoxStyle& style = GetMessageBoxStyle();
  if (hWndOwner == nullptr) hWndOwner = GetActiveWindow();
  DlgMessgeBox box(text, caption, type, static_cast<UINT>(style.nTemplateId), style.hResourceModule,
                   style.pAppModule);
  INT_PTR r = box.DoModal(hWndOwner);
  return r < 0 ? IDCANCEL : box.GetResult();
}

}  // namespace vorlix
