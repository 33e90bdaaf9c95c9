// Forms are built in code from a table per window that mirrors its design: one row per
// control with its name, kind, parent, position, size and settings. BuildControls makes
// the controls (owned by the form), places them and applies the settings; the form then
// fetches the ones it handles by name.
//
//   const TDesignRow kRows[] = {
//     {L"pnlGg",  MakeControl<TPanel>, nullptr, 0, 0, 620, 416, {.Color = clWhite}},
//     {L"imgTop", MakeControl<TImage>, L"pnlGg", 0, 0, 620, 241,
//      {.Align = alTop, .Picture = kAssetBanner}},
//     {L"labDirInfo", MakeControl<TLabel>, L"pnlTS2", 43, 29, 65, 19,
//      {.Caption = L"保存路径：", .Font = TFont{L"微软雅黑", 13, clBlack}, .Transparent = true}},
//   };
//   BuildControls(*this, kRows);
//   imgTop = Find<TImage>(L"imgTop");
//   imgTop->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { imgTopMouseDown(); };
//
// Settings are designated initialisers and must keep the order of TDesign's fields.
// The generic ones (Align to TabOrder) apply to every control; each kind takes the
// others it knows in its Configure (a label its Caption and WordWrap, a picture its
// Picture and Stretch, ...) and ignores the rest. Kinds from other folders (picture
// buttons) join by overriding Configure and naming MakeControl<TTheirKind> in a row.
#pragma once
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "ui/UiTypes.h"

namespace qs {

class TControl;
class TComponent;

struct TDesign {
  TAlign Align = alNone;
  TAnchors Anchors = akDefault;
  bool Visible = true;
  bool Enabled = true;
  TCursor Cursor = crDefault;
  int TabOrder = -1;               // -1: creation order
  std::wstring Caption{};
  TColor Color = clDefault;        // clDefault: the parent's colour
  std::optional<TFont> Font{};     // none: the parent's font
  int Picture = 0;                 // resource id of a PNG picture (0: none)
  int Picture2 = 0;                // a second picture (hovered state) for kinds that have one
  bool Transparent = false;
  bool Stretch = false;
  bool AutoSize = false;
  bool WordWrap = false;
  TAlignment Alignment = taLeftJustify;
  bool ReadOnly = false;
  bool Checked = false;
  TBevelCut BevelInner = bvNone;
  TBevelCut BevelOuter = bvNone;
};

using TControlMaker = std::unique_ptr<TControl> (*)();

template <typename T>
std::unique_ptr<TControl> MakeControl() {
  return std::make_unique<T>();
}

struct TDesignRow {
  const wchar_t* Name;
  TControlMaker Make;
  const wchar_t* Parent;  // the name of an earlier row, or nullptr for the owner itself
  int Left, Top, Width, Height;
  TDesign Settings;
};

// Makes the rows' controls, in order, owned by owner; a row's parent is the owner when
// Parent is nullptr (the owner must then be a control), else the named earlier row.
// A row naming an unknown parent raises EQsError (a design fault, found by any test
// that builds the window).
void BuildControls(TControl& owner, std::span<const TDesignRow> rows);

}  // namespace qs
