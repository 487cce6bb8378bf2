#pragma once
// The seam between the painted edit and the native single-line editor that takes the keyboard while
// the edit has the focus (win32/CUIEditWnd); without a window system no editor opens and the edit
// only shows its text.

#include "ui/core/UITypes.h"

namespace vorlix {

class CUIEdit;

class IUINativeEditor {
 public:
  virtual ~IUINativeEditor() = default;
  // Hides the editor now and destroys it soon (it may be inside one of its own messages); the edit
  // hears OnEditorDestroyed.
  virtual void Close() = 0;
  // The edit is going away: no more calls into it.
  virtual void Detach() = 0;
  virtual void SetText(const wchar_t* text) = 0;
  virtual void SetPos(const UIRect& rc) = 0;
};

// Opens an editor over rcText (client coordinates of the edit's window) holding the edit's text, with
// the keyboard focus; null when none can be opened.
IUINativeEditor* OpenNativeEditor(CUIEdit* owner, const UIRect& rcText);

}  // namespace vorlix
