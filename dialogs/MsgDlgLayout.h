// The geometry of the message dialog as plain numbers: how wide the form becomes for its
// message, where the message wraps, how far the message panel grows, the form's height with
// and without the details pane, and where the buttons stand.
// The window applies these numbers to its controls after each step. Text is measured through
// ITextMeasure, so the arithmetic runs natively with a scripted measurer.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "dialogs/MsgDlgKinds.h"

namespace qs {

struct TTextExtent {
  int Width = 0;   // the widest line
  int Height = 0;  // all lines
};

class ITextMeasure {
public:
  virtual ~ITextMeasure() = default;
  // The message label's text without wrapping (only its own line breaks break it).
  virtual TTextExtent Measure(const std::wstring& text) = 0;
  // The height of the text wrapped at word boundaries to the given width.
  virtual int WrappedHeight(const std::wstring& text, int width) = 0;
};

struct TLayoutRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

struct TLayoutButton {
  bool Visible = false;
  int Left = 0;
  int Width = 0;
  std::wstring Caption;
};

class TMsgDlgLayout {
public:
  // The designed form and its fixed parts.
  static constexpr int kDesignWidth = 340;
  static constexpr int kDesignHeight = 303;
  static constexpr int kCreatedWidth = 300;
  static constexpr int kTitleHeight = 35;
  static constexpr int kMsgPanelHeight = 102;
  static constexpr int kButtonPanelHeight = 46;
  static constexpr int kDetailHeight = 150;
  static constexpr int kLabelLeft = 67;
  static constexpr int kLabelTop = 14;
  static constexpr int kButtonTop = 8;
  static constexpr int kButtonHeight = 30;
  static constexpr int kButtonGap = 8;
  static constexpr int kButtonMargin = 16;
  static constexpr int kActionButtonWidth = 67;
  static constexpr int kDetailButtonWidth = 80;

  // The state right after the form's creation: 300 wide, nothing shown.
  TMsgDlgLayout();

  // Fits the form's width and the message panel to the label's caption, then UpdateHeight.
  void FitMessage(const std::wstring& caption, ITextMeasure& measure);
  // Form height: title bar, message panel, button bar, and the details pane while it is open.
  void UpdateHeight();
  // FitMessage, then title, icon, buttons and the details button for the kind, then UpdateHeight.
  void PrepareLayout(uint8_t kind, bool hasDetail, const std::wstring& caption, ITextMeasure& measure);
  // Opens or closes the details pane; the details button's caption follows.
  void ToggleDetail();

  int FormWidth() const { return FFormWidth; }
  int FormHeight() const { return FFormHeight; }
  int MsgPanelHeight() const { return FMsgPanelHeight; }
  const TLayoutRect& Label() const { return FLabel; }
  bool WordWrap() const { return FWordWrap; }
  bool DetailOpen() const { return FDetailOpen; }
  const std::wstring& Title() const { return FTitle; }
  TMsgDlgIcon Icon() const { return FIcon; }
  const TLayoutButton& Button(TMsgDlgButton b) const { return FButtons[b]; }

private:
  void PlaceButtons();

  int FFormWidth = kCreatedWidth;
  int FFormHeight = kDesignHeight;
  int FMsgPanelHeight = kMsgPanelHeight;
  TLayoutRect FLabel;
  bool FWordWrap = false;
  bool FDetailOpen = false;
  std::wstring FTitle;
  TMsgDlgIcon FIcon = miNone;
  std::array<TLayoutButton, 4> FButtons;
};

}  // namespace qs
