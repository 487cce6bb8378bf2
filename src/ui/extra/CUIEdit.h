#pragma once
// A painted single-line edit: its frame and text are drawn like the other controls (DrawEditBox);
// while it has the focus a native editor window lies over its text area and takes the typing. Every
// change of the editor's text becomes the edit's text and sends TextChanged; when the editor loses
// the keyboard the edit loses the focus and sends KillFocus (once, whichever way the focus went).

#include "ui/core/CUIControl.h"

namespace vorlix {

class IUINativeEditor;

class CUIEdit : public CUIControl {
 public:
  CUIEdit();
  ~CUIEdit() override;

  const wchar_t* GetClass() const override;
  unsigned GetControlFlags() const override;
  void SetText(const wchar_t* text) override;
  void SetPos(int left, int top, int right, int bottom) override;
  void SetEnabled(bool enabled) override;
  void SetVisible(bool visible) override;
  void Event(UIEvent& event) override;
  UISize GetDesiredSize(UISize available) override;
  void Paint(IUIPainter& painter, const UIRect& rcPaint) override;

  // A read-only edit shows its text in the read-only colour and opens no editor.
  void SetReadOnly(bool readOnly);
  bool IsReadOnly() const { return m_bReadOnly; }
  bool IsEditorOpen() const { return m_pEditor != nullptr; }
  // Where the text (and the editor) goes: inside the frame.
  UIRect GetTextRect() const;

  // From the editor window.
  void OnEditorTextChanged(const wchar_t* text);
  void OnEditorKillFocus();
  void OnEditorDestroyed(IUINativeEditor* editor);

 private:
  void OpenEditor();
  void CloseEditor();

  bool m_bReadOnly = false;
  IUINativeEditor* m_pEditor = nullptr;
};

}  // namespace vorlix
