#include "ui/render/UIStringResource.h"

namespace vorlix {

std::wstring PlatformLoadUIString(UIModule module, unsigned id);

namespace {
UIStringResolver g_resolver = nullptr;
UIModule g_module = nullptr;
bool g_moduleSet = false;
}  // namespace

std::wstring LoadUIString(unsigned id) {
  std::wstring text = g_resolver != nullptr ? g_resolver(id) : PlatformLoadUIString(g_module, id);
  if (text.size() > 255) text.resize(255);
  return text;
}

void SetUIStringResolver(UIStringResolver resolver) { g_resolver = resolver; }

void SetUIStringModule(UIModule module) {
  // Only the first module counts, as for window classes.
  if (g_moduleSet) return;
  g_module = module;
  g_moduleSet = true;
}

}  // namespace vorlix
