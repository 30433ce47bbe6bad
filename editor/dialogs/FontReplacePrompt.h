// CFontReplacePrompt: the editor's answer when an opened document's texts use fonts that are not
// mounted: it runs the font replacement dialog (CFontReplaceDlg) over the main window. The
// editor's program objects build one, which installs itself for the program's life.
#pragma once

#include "model/document/MissingFontResolver.h"

class CLanguage;

class CFontReplacePrompt : public CMissingFontResolver {
public:
  explicit CFontReplacePrompt(const CLanguage& language) : m_language(language) {}

  bool Resolve(CFontRebinding& fonts) override;

private:
  const CLanguage& m_language;
};
