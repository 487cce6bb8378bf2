#include "ui/controls/UIMeasure.h"

#include "ui/render/UIMarkup.h"
#include "ui/render/UIStyle.h"

namespace vorlix {
namespace {

IUIRenderPainter* g_pOverride = nullptr;

// Forwards to the override without owning it, so callers can treat both alike.
class CBorrowedPainter : public IUIRenderPainter {
 public:
  explicit CBorrowedPainter(IUIRenderPainter& p) : m_p(p) {}
  UIDeviceContext GetNativeContext() const override { return m_p.GetNativeContext(); }
  void FillColorRect(const UIRect& rc, UIColor c) override { m_p.FillColorRect(rc, c); }
  void DrawColorFrame(const UIRect& rc, UIColor c) override { m_p.DrawColorFrame(rc, c); }
  void DrawPlainText(const UIRect& rc, const wchar_t* t, UIColor c, unsigned f) override {
    m_p.DrawPlainText(rc, t, c, f);
  }
  void AlphaBlendBitmap(UIBitmap b, const UIRect& d, unsigned char a) override { m_p.AlphaBlendBitmap(b, d, a); }
  UIFontMetrics GetStyleFontMetrics(int i) override { return m_p.GetStyleFontMetrics(i); }
  bool SelectStyleFont(int i) override { return m_p.SelectStyleFont(i); }
  void RestoreFont() override { m_p.RestoreFont(); }
  UISize MeasureText(const wchar_t* t, int n) override { return m_p.MeasureText(t, n); }
  int MeasureFit(const wchar_t* t, int n, int m) override { return m_p.MeasureFit(t, n, m); }
  void DrawTextRun(int x, int y, const wchar_t* t, int n, UIColor c) override { m_p.DrawTextRun(x, y, t, n, c); }
  void DrawColorLine(int x1, int y1, int x2, int y2, UIColor c) override { m_p.DrawColorLine(x1, y1, x2, y2, c); }
  void SetClip(const UIRect& rc) override { m_p.SetClip(rc); }
  void RestoreClip() override { m_p.RestoreClip(); }
  void DrawImagePart(const UIRect& d, const IUIImage& i, const UIRect& s, bool t) override {
    m_p.DrawImagePart(d, i, s, t);
  }

 private:
  IUIRenderPainter& m_p;
};

}  // namespace

std::unique_ptr<IUIRenderPainter> CreatePlatformMeasurePainter(CUIManager* manager);

std::unique_ptr<IUIRenderPainter> CreateMeasurePainter(CUIManager* manager) {
  if (g_pOverride != nullptr) return std::unique_ptr<IUIRenderPainter>(new CBorrowedPainter(*g_pOverride));
  return CreatePlatformMeasurePainter(manager);
}

void SetMeasurePainterOverride(IUIRenderPainter* painter) { g_pOverride = painter; }
IUIRenderPainter* GetMeasurePainterOverride() { return g_pOverride; }

int MeasureFont1Height(CUIManager* manager) {
  auto p = CreateMeasurePainter(manager);
  return p != nullptr ? p->GetStyleFontMetrics(1).height : 0;
}

int MeasureMarkupLineWidth(CUIManager* manager, const wchar_t* text) {
  if (text == nullptr || *text == 0) return 0;
  auto p = CreateMeasurePainter(manager);
  if (p == nullptr) return 0;
  UIRect rc = MakeUIRect(0, 0, 9999, 100);
  int links = 0;
  DrawPrettyText(*p, MarkupContextOf(manager), rc, text, 0, kUIColorNoBackground, nullptr, links,
                 UITEXT_SINGLELINE | UITEXT_CALCRECT);
  return rc.right - rc.left;
}

}  // namespace vorlix
