#pragma once
// The check part of buttons, found through GetInterface("UIChecked").

namespace vorlix {

class IUIChecked {
 public:
  virtual int GetCheck() const = 0;
  virtual void SetCheck(int value) = 0;
  // Controls whose ids lie in first..last form one radio group.
  virtual void SetRadioGroup(int first, int last) = 0;
  virtual void SetCheckStyle(int style) = 0;
  virtual int GetCheckStyle() const = 0;

 protected:
  ~IUIChecked() = default;
};

// Check styles: push button, check box, radio button, and a toggle that acts as soon as it is pressed.
enum : int { UICHECKSTYLE_PUSH = 0, UICHECKSTYLE_BOX = 2, UICHECKSTYLE_RADIO = 3, UICHECKSTYLE_TOGGLE = 4 };

}  // namespace vorlix
