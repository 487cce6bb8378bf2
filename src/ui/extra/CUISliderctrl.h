#pragma once
// A horizontal slider: a thumb on a track between a minimum and a maximum. Dragging the thumb,
// pressing the track, the arrow and paging keys and the wheel change the value (ValueChanged); a
// release over the slider is its Click. Values set in code do not notify.

#include "ui/core/CUIControl.h"

namespace vorlix {

class CUISliderctrl : public CUIControl {
 public:
  CUISliderctrl();

  const wchar_t* GetClass() const override;
  unsigned GetControlFlags() const override;
  bool Activate() override;
  void Event(UIEvent& event) override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // A maximum below the minimum is taken as the minimum; the value is clamped into the new range.
  void SetRange(int minimum, int maximum);
  int GetMinimum() const { return m_nMin; }
  int GetMaximum() const { return m_nMax; }
  void SetValue(int value);
  int GetValue() const { return m_nValue; }
  // Steps of the arrow keys and the wheel, and of Page Up/Down; at least 1.
  void SetLineSize(int line);
  void SetPageSize(int page);
  void SetFixedWidth(int cx) { m_cxWidth = cx; }

  unsigned GetState() const { return m_uState; }
  // Where the thumb is drawn and hit.
  UIRect GetThumbRect() const;

  static constexpr int kThumbWidth = 10;

 private:
  // The value the pointer names, the thumb centred under it (less the grab offset of a drag).
  int ValueAt(int x) const;
  // Stores a clamped value; ValueChanged when it differs.
  void ChangeValue(int value);

  int m_nMin = 0;
  int m_nMax = 100;
  int m_nValue = 0;
  int m_nLine = 1;
  int m_nPage = 10;
  int m_cxWidth = 0;
  unsigned m_uState = 0;
  int m_nGrabOffset = 0;  // pointer x minus thumb centre when the drag began
};

}  // namespace vorlix
