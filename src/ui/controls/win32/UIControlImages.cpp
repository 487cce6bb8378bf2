#include "ui/controls/UIControlImages.h"

#include "ui/render/win32/UIImages.h"

namespace vorlix {

std::shared_ptr<IUIImage> LoadControlPng(int id, UIModule module) {
  std::shared_ptr<IUIImage> image;
  if (!LoadPngImage(image, id, module)) image.reset();
  return image;
}

std::shared_ptr<IUIImage> LoadControlJpg(int id, UIModule module) {
  std::shared_ptr<IUIImage> image;
  if (!LoadJpgImage(image, id, module)) image.reset();
  return image;
}

}  // namespace vorlix
