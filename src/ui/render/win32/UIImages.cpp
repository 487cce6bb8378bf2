#include "ui/render/win32/UIImages.h"

#include "ui/core/CUIManager.h"
#include "ui/render/UIImageList.h"
#include "ui/render/win32/CGdipImage.h"

namespace vorlix {

namespace {

// A stream over a movable copy of the bytes; the stream frees the block when released.
IStream* StreamOver(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  void* p = GlobalLock(block);
  if (p == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  memcpy(p, bytes, size);
  GlobalUnlock(block);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(block, TRUE, &stream) != S_OK) {
    GlobalFree(block);
    return nullptr;
  }
  return stream;
}

// Decodes; with copy, the pixels go into a standalone bitmap of the same size and format and the
// stream is released, otherwise the image keeps the stream.
bool Decode(std::shared_ptr<IUIImage>& image, const void* bytes, std::size_t size, bool copy) {
  image.reset();
  if (bytes == nullptr || size == 0) return false;
  EnsureGdiplus();
  IStream* stream = StreamOver(bytes, size);
  if (stream == nullptr) return false;
  auto* decoded = new Gdiplus::Bitmap(stream);
  if (decoded->GetLastStatus() != Gdiplus::Ok || decoded->GetWidth() == 0) {
    delete decoded;
    stream->Release();
    return false;
  }
  if (!copy) {
    image = std::make_shared<CGdipImage>(decoded, stream);
    return true;
  }
  int w = static_cast<int>(decoded->GetWidth());
  int h = static_cast<int>(decoded->GetHeight());
  auto* standalone = new Gdiplus::Bitmap(w, h, decoded->GetPixelFormat());
  bool ok = standalone->GetLastStatus() == Gdiplus::Ok;
  if (ok) {
    Gdiplus::Graphics g(standalone);
    g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    ok = g.DrawImage(decoded, 0, 0, w, h) == Gdiplus::Ok;
  }
  delete decoded;
  stream->Release();
  if (!ok) {
    delete standalone;
    return false;
  }
  image = std::make_shared<CGdipImage>(standalone);
  return true;
}

bool LoadResource(std::shared_ptr<IUIImage>& image, int id, HMODULE module, const wchar_t* type, bool copy) {
  image.reset();
  if (module == nullptr) module = CUIManager::GetResourceInstance();
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (res == nullptr) return false;
  HGLOBAL loaded = ::LoadResource(module, res);
  DWORD size = SizeofResource(module, res);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return false;
  return Decode(image, bytes, size, copy);
}

void SetSkin(UISkinSlot slot, int id, HMODULE module) {
  std::shared_ptr<IUIImage> image;
  LoadPngImage(image, id, module);
  CUISkinImages::Set(slot, image);
}

}  // namespace

bool LoadPngImage(std::shared_ptr<IUIImage>& image, int id, HMODULE module) {
  return LoadResource(image, id, module, L"PNG", true);
}
bool LoadJpgImage(std::shared_ptr<IUIImage>& image, int id, HMODULE module) {
  return LoadResource(image, id, module, L"JPG", true);
}
bool LoadPngImageShared(std::shared_ptr<IUIImage>& image, int id, HMODULE module) {
  return LoadResource(image, id, module, L"PNG", false);
}
bool LoadImageFromMemory(std::shared_ptr<IUIImage>& image, const void* bytes, std::size_t size) {
  return Decode(image, bytes, size, true);
}

void RegisterImage(int id, int key, int frameWidth, HMODULE module) {
  std::shared_ptr<IUIImage> image;
  if (LoadPngImage(image, id, module)) CUIImageList::Register(key, image, frameWidth);
}

void SetSkinImages(CUIManager& manager, int normal, int hot, int pushed, int disabled, HMODULE module) {
  const int ids[4] = {normal, hot, pushed, disabled};
  std::shared_ptr<IUIImage> images[4];
  for (int state = UISKIN_NORMAL; state <= UISKIN_DISABLED; ++state) {
    // Windows commonly use one picture for every state: decode it once.
    for (int earlier = 0; earlier < state && images[state] == nullptr; ++earlier) {
      if (ids[earlier] == ids[state]) images[state] = images[earlier];
    }
    if (images[state] == nullptr) LoadPngImageShared(images[state], ids[state], module);
    manager.SetSkinImage(state, images[state]);
  }
}

void SetCheckBoxImage(int id, HMODULE module) { SetSkin(UISkinSlot::CheckBox, id, module); }
void SetRadioImage(int id, HMODULE module) { SetSkin(UISkinSlot::Radio, id, module); }
void SetMsgBoxButtonImage(int id, HMODULE module) { SetSkin(UISkinSlot::MsgBoxButton, id, module); }
void SetMsgBoxCloseImage(int id, HMODULE module) { SetSkin(UISkinSlot::MsgBoxClose, id, module); }
void SetScrollBarImage(int id, HMODULE module) { SetSkin(UISkinSlot::ScrollBar, id, module); }
void SetDialogBackgroundImage(int id, HMODULE module) { SetSkin(UISkinSlot::DialogBackground, id, module); }
void SetDropDownHighlightImage(int id, HMODULE module) { SetSkin(UISkinSlot::DropDownHighlight, id, module); }
void SetMenuHighlightImage(int id, HMODULE module) { SetSkin(UISkinSlot::MenuHighlight, id, module); }

}  // namespace vorlix
