#pragma once
// Pictures controls load from the program's resources. A missing resource (or a build without them)
// leaves the image empty and the control falls back to its drawing without a picture.

#include <memory>

#include "ui/core/UITypes.h"
#include "ui/render/IUIImage.h"

namespace vorlix {

// module null: the toolkit's resource module.
std::shared_ptr<IUIImage> LoadControlPng(int id, UIModule module);
std::shared_ptr<IUIImage> LoadControlJpg(int id, UIModule module);

}  // namespace vorlix
