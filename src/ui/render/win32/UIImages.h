#pragma once
// Loading toolkit images from "PNG"/"JPG" resources (or bytes) through GDI+, the image list for <i>,
// and the setters of the process-wide skin images.

#include <windows.h>

#include <memory>

#include "ui/render/IUIImage.h"

namespace vorlix {

// Decodes and copies into a standalone bitmap (the resource stream is released at once). module null:
// the toolkit's resource module.
bool LoadPngImage(std::shared_ptr<IUIImage>& image, int id, HMODULE module = nullptr);
bool LoadJpgImage(std::shared_ptr<IUIImage>& image, int id, HMODULE module = nullptr);
// Keeps the stream-backed decoded image.
bool LoadPngImageShared(std::shared_ptr<IUIImage>& image, int id, HMODULE module = nullptr);
bool LoadImageFromMemory(std::shared_ptr<IUIImage>& image, const void* bytes, std::size_t size);

void RegisterImage(int id, int key, int frameWidth, HMODULE module = nullptr);

class CUIManager;
// The window's four state skin images (normal, hot, pushed, disabled) from PNG resources, stream-backed;
// a resource that cannot be loaded leaves its state without an image.
void SetSkinImages(CUIManager& manager, int normal, int hot, int pushed, int disabled, HMODULE module = nullptr);

void SetCheckBoxImage(int id, HMODULE module = nullptr);
void SetRadioImage(int id, HMODULE module = nullptr);
void SetMsgBoxButtonImage(int id, HMODULE module = nullptr);
void SetMsgBoxCloseImage(int id, HMODULE module = nullptr);
void SetScrollBarImage(int id, HMODULE module = nullptr);
void SetDialogBackgroundImage(int id, HMODULE module = nullptr);
void SetDropDownHighlightImage(int id, HMODULE module = nullptr);
void SetMenuHighlightImage(int id, HMODULE module = nullptr);

}  // namespace vorlix
