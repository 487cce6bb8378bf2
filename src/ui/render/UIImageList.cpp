#include "ui/render/UIImageList.h"

#include <map>

namespace vorlix {
namespace {

std::map<int, UIListImage>& List() {
  static auto* list = new std::map<int, UIListImage>();
  return *list;
}

std::shared_ptr<IUIImage>* Slots() {
  static auto* slots = new std::shared_ptr<IUIImage>[static_cast<int>(UISkinSlot::Count)];
  return slots;
}

}  // namespace

void CUIImageList::Register(int key, std::shared_ptr<IUIImage> image, int frameWidth) {
  UIListImage entry;
  entry.image = std::move(image);
  entry.frameWidth = frameWidth;
  List()[key] = entry;
}

UIListImage CUIImageList::Find(int key) {
  auto it = List().find(key);
  return it == List().end() ? UIListImage() : it->second;
}

void CUIImageList::Clear() { List().clear(); }

void CUISkinImages::Set(UISkinSlot slot, std::shared_ptr<IUIImage> image) {
  int i = static_cast<int>(slot);
  if (i >= 0 && i < static_cast<int>(UISkinSlot::Count)) Slots()[i] = std::move(image);
}

IUIImage* CUISkinImages::Get(UISkinSlot slot) {
  int i = static_cast<int>(slot);
  if (i < 0 || i >= static_cast<int>(UISkinSlot::Count)) return nullptr;
  return Slots()[i].get();
}

int PickStripFrame(bool disabled, bool pushed, bool hot) {
  if (disabled) return UISTRIP_DISABLED;
  if (pushed) return UISTRIP_PUSHED;
  if (hot) return UISTRIP_HOT;
  return UISTRIP_NORMAL;
}

}  // namespace vorlix
