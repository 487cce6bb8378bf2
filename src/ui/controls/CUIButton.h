#pragma once
// The push button, check box, radio button and toggle of the screens, optionally split with a drop
// part at its right end.

#include <memory>
#include <vector>

#include "ui/controls/IUIChecked.h"
#include "ui/core/CUIControl.h"
#include "ui/render/IUIImage.h"

namespace vorlix {

class CUIButton : public CUIControl, public IUIChecked {
 public:
  CUIButton();

  const wchar_t* GetClass() const override;
  void* GetInterface(const wchar_t* name) override;
  unsigned GetControlFlags() const override;
  bool Activate() override;
  void SetText(const wchar_t* text) override;
  void Event(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // IUIChecked
  int GetCheck() const override { return m_nChecked; }
  void SetCheck(int value) override;
  void SetRadioGroup(int first, int last) override;
  void SetCheckStyle(int style) override { m_nCheckStyle = style; }
  int GetCheckStyle() const override { return m_nCheckStyle; }

  // PNG resources; a missing one leaves the image empty.
  void SetImage(int pngId, UIModule module = nullptr);
  void SetDropImage(int pngId, UIModule module = nullptr);
  void SetImage(std::shared_ptr<IUIImage> image);
  void SetDropImage(std::shared_ptr<IUIImage> image);
  void SetTextColors(UIColor normal, UIColor hot, UIColor pushed, UIColor disabled);
  void SetTextPadding(int x, int y);
  void SetTextOffset(int x, int y);
  void SetTextRect(const UIRect& rc);
  // Centre or right alignment also means single line and vertical centre.
  void SetTextStyle(unsigned style);
  unsigned GetTextStyle() const { return m_uTextStyle; }
  void SetFixedWidth(int cx) { m_cxWidth = cx; }
  // At most 20 points are kept.
  void SetBackgroundPolygon(const UIPoint* points, int count);
  void SetDropped(bool dropped);
  bool IsDropped() const { return m_bDropped; }
  void SetAlwaysShowDropImage(bool show);

  unsigned GetState() const { return m_uButtonState; }
  unsigned GetDropState() const { return m_uDropState; }
  const UIRect& GetDropArea() const { return m_rcDropArea; }

 private:
  void SetStateBits(unsigned& state, unsigned bits, bool on);
  bool InDropArea(UIPoint pt) const;
  UIRect TextArea();

  UIRect m_rcText;
  int m_cxWidth = 0;
  int m_cxTextPadding = 4;
  int m_cyTextPadding = 0;
  unsigned m_uTextStyle = 0x25;
  unsigned m_uButtonState = 0;
  unsigned m_uDropState = 0;
  std::shared_ptr<IUIImage> m_pImage;
  std::shared_ptr<IUIImage> m_pDropImage;
  int m_nChecked = 0;
  int m_xTextOffset = 0;
  int m_yTextOffset = 0;
  bool m_bDropped = false;
  bool m_bAlwaysShowDropImage = false;
  std::vector<UIPoint> m_aPolygon;
  int m_nRadioFirst = -1;
  int m_nRadioLast = -1;
  int m_nCheckStyle = UICHECKSTYLE_PUSH;
  UIRect m_rcDropArea;
  UIColor m_clrNormal = UIRgb(0, 0, 0);
  UIColor m_clrHot = 0x140000;   // #000014
  UIColor m_clrPushed = 0x140000;
  UIColor m_clrDisabled = UIRgb(0x80, 0x80, 0x80);
};

}  // namespace vorlix
