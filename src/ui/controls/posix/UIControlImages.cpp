#include "ui/controls/UIControlImages.h"

namespace vorlix {

// No resource section here: every picture is missing.
std::shared_ptr<IUIImage> LoadControlPng(int, UIModule) { return nullptr; }
std::shared_ptr<IUIImage> LoadControlJpg(int, UIModule) { return nullptr; }

}  // namespace vorlix
