// TLabel: text on its parent. With AutoSize it takes the size its text needs: without
// WordWrap one line per line break, as wide as the widest; with WordWrap the width stays
// and the height follows the wrapped text. The size is measured again when the caption,
// the font, WordWrap or AutoSize change (not when the width is set). Transparent labels
// leave their background alone; others fill it with their colour. "&" is shown as is.
#pragma once
#include "ui/Control.h"

namespace qs {

class TLabel : public TGraphicControl {
public:
  TLabel();

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment a);

  void Configure(const TDesign& d) override;

protected:
  void Paint(TCanvas& canvas) override;
  void TextChanged() override;

private:
  void AdjustBounds();
  unsigned TextFlags() const;

  bool FAutoSize = false;
  bool FWordWrap = false;
  bool FTransparent = false;
  TAlignment FAlignment = taLeftJustify;
};

}  // namespace qs
