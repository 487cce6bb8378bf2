#include "ui/extra/CUIEdit.h"

#include "ui/controls/UIMeasure.h"
#include "ui/core/CUIManager.h"
#include "ui/extra/UIEditNative.h"
#include "ui/render/IUIRenderPainter.h"
#include "ui/render/UIDraw.h"

namespace vorlix {
namespace {

// Any non-zero padding draws the frame; the text area is then 3 pixels in from the sides and 2 from
// the top and bottom.
constexpr int kPadding = 1;

}  // namespace

CUIEdit::CUIEdit() = default;

CUIEdit::~CUIEdit() {
  if (m_pEditor != nullptr) {
    IUINativeEditor* editor = m_pEditor;
    m_pEditor = nullptr;
    editor->Detach();
  }
}

const wchar_t* CUIEdit::GetClass() const { return L"EditUI"; }
unsigned CUIEdit::GetControlFlags() const { return UIFLAG_TABSTOP | UIFLAG_SETCURSOR; }

UIRect CUIEdit::GetTextRect() const {
  return MakeUIRect(m_rcItem.left + 3, m_rcItem.top + 2, m_rcItem.right - 3, m_rcItem.bottom - 2);
}

void CUIEdit::SetText(const wchar_t* text) {
  CUIControl::SetText(text);
  if (m_pEditor != nullptr) m_pEditor->SetText(m_sText);
}

void CUIEdit::SetPos(int left, int top, int right, int bottom) {
  CUIControl::SetPos(left, top, right, bottom);
  if (m_pEditor != nullptr) m_pEditor->SetPos(GetTextRect());
}

void CUIEdit::SetEnabled(bool enabled) {
  CUIControl::SetEnabled(enabled);
  if (!enabled) CloseEditor();
}

void CUIEdit::SetVisible(bool visible) {
  CUIControl::SetVisible(visible);
  if (!visible) CloseEditor();
}

void CUIEdit::SetReadOnly(bool readOnly) {
  m_bReadOnly = readOnly;
  if (readOnly) CloseEditor();
  Invalidate();
}

void CUIEdit::OpenEditor() {
  if (m_pEditor != nullptr || m_bReadOnly || !IsEnabled() || !IsVisible()) return;
  m_pEditor = OpenNativeEditor(this, GetTextRect());
}

void CUIEdit::CloseEditor() {
  if (m_pEditor == nullptr) return;
  IUINativeEditor* editor = m_pEditor;
  m_pEditor = nullptr;
  editor->Close();
  Invalidate();
}

void CUIEdit::OnEditorTextChanged(const wchar_t* text) {
  m_sText = text;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, UINOTIFY_TEXTCHANGED);
}

void CUIEdit::OnEditorKillFocus() {
  // While the tree still thinks the edit has the focus, taking it away there sends the one KillFocus
  // (and closes the editor through the KillFocus event). Otherwise the tree moved the focus itself and
  // has already said so.
  if (m_pManager != nullptr && m_pManager->GetFocus() == this) {
    m_pManager->ClearFocus();
  } else {
    CloseEditor();
  }
}

void CUIEdit::OnEditorDestroyed(IUINativeEditor* editor) {
  if (editor == m_pEditor) m_pEditor = nullptr;
}

void CUIEdit::Event(UIEvent& event) {
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (m_rcItem.Contains(event.ptMouse) && IsEnabled()) {
        if (m_pManager != nullptr) m_pManager->SetCursorShape(UICursorShape::IBeam);
        return;
      }
      break;
    case UIEVENT_SETFOCUS:
      CUIControl::Event(event);
      OpenEditor();
      return;
    case UIEVENT_KILLFOCUS:
      CloseEditor();
      CUIControl::Event(event);
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      // A press on the focused edit whose editor went away brings it back.
      if (IsFocused()) OpenEditor();
      return;
    case UIEVENT_BUTTONUP:
    case UIEVENT_MOUSEMOVE:
      return;
    default:
      break;
  }
  CUIControl::Event(event);
}

UISize CUIEdit::GetDesiredSize(UISize) {
  UISize sz;
  sz.cy = MeasureFont1Height(m_pManager) + 8;
  return sz;
}

void CUIEdit::Paint(IUIPainter& painter, const UIRect& rcPaint) {
  if (!rcPaint.Intersects(m_rcItem)) return;
  auto* p = dynamic_cast<IUIRenderPainter*>(&painter);
  if (p == nullptr) return;
  unsigned state = 0;
  if (IsFocused()) state |= UIEDIT_FOCUSED;
  if (!IsEnabled()) state |= UIEDIT_DISABLED;
  if (m_bReadOnly) state |= UIEDIT_READONLY;
  DrawEditBox(*p, m_rcItem, m_sText, state, 0, kPadding, nullptr);
}

}  // namespace vorlix
