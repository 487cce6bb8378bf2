#pragma once
// Process-wide pictures: the image list the markup's <i> tag draws from, and the skin image slots the
// application fills at start-up (loading from resources is the platform side's job; see win32/UIImages.h).

#include <memory>

#include "ui/render/IUIImage.h"

namespace vorlix {

struct UIListImage {
  std::shared_ptr<IUIImage> image;
  int frameWidth = 0;
};

class CUIImageList {
 public:
  static void Register(int key, std::shared_ptr<IUIImage> image, int frameWidth);
  // Null image (and frame width 0) for an unknown key.
  static UIListImage Find(int key);
  static void Clear();
};

enum class UISkinSlot {
  CheckBox,
  Radio,
  MsgBoxButton,
  MsgBoxClose,
  ScrollBar,
  DialogBackground,
  DropDownHighlight,
  MenuHighlight,
  Count
};

class CUISkinImages {
 public:
  static void Set(UISkinSlot slot, std::shared_ptr<IUIImage> image);
  static IUIImage* Get(UISkinSlot slot);  // null while unset
};

// Frames of a state strip (four frames side by side: normal, hot, pushed, disabled).
enum UIStripFrame { UISTRIP_NORMAL = 0, UISTRIP_HOT = 1, UISTRIP_PUSHED = 2, UISTRIP_DISABLED = 3 };
// Disabled wins over pushed, pushed over hot.
int PickStripFrame(bool disabled, bool pushed, bool hot);

}  // namespace vorlix
