// Resource numbers of the pictures compiled into the program (assets/Assets.rc) and the
// size each is drawn at. A picture is an RT_RCDATA resource holding a PNG file; load it
// with FindResource(module, MAKEINTRESOURCE(id), RT_RCDATA). Written by draw.py from its
// table of pictures: change the table there and run it again rather than editing this file.
#pragma once

// Plain numbers for the resource compiler, which reads this header too.
#define QS_ICON_APP 1
#define QS_ASSET_BANNER 101
#define QS_ASSET_MINIMISE 102
#define QS_ASSET_MINIMISE_HOVER 103
#define QS_ASSET_CLOSE 104
#define QS_ASSET_CLOSE_HOVER 105
#define QS_ASSET_DOWNLOAD_NOW 106
#define QS_ASSET_DOWNLOAD_FOLDER 107
#define QS_ASSET_INSTALL_NOW 108
#define QS_ASSET_CHANGE_FOLDER 109
#define QS_ASSET_PROGRESS_TRACK 110
#define QS_ASSET_PROGRESS_FILL 111
#define QS_ASSET_GREY_ARROW 112
#define QS_ASSET_TITLE_BAR 120
#define QS_ASSET_PROMPT_ICON 121
#define QS_ASSET_PROMPT_BROWSER 122
#define QS_ASSET_PROMPT_RELOAD 123
#define QS_ASSET_DLG_INFO 130
#define QS_ASSET_DLG_WARNING 131
#define QS_ASSET_DLG_ERROR 132
#define QS_ASSET_DLG_CONFIRM 133
#define QS_ASSET_DLG_CLOSE 134
#define QS_ASSET_DLG_BUTTON_BAR 135
#define QS_ASSET_DLG_FRAME 136

#ifndef RC_INVOKED
namespace qs {

inline constexpr int kAppIcon = QS_ICON_APP;  // 16, 32, 48 and 256 px
inline constexpr int kAssetBanner = QS_ASSET_BANNER;  // 620 x 241: banner: welcome badge, emblem, the name Velmora, illustration
inline constexpr int kAssetMinimise = QS_ASSET_MINIMISE;  // 30 x 27: white minimise glyph
inline constexpr int kAssetMinimiseHover = QS_ASSET_MINIMISE_HOVER;  // 30 x 27: minimise glyph, hovered
inline constexpr int kAssetClose = QS_ASSET_CLOSE;  // 30 x 27: white close glyph (main window and failure prompt)
inline constexpr int kAssetCloseHover = QS_ASSET_CLOSE_HOVER;  // 30 x 27: close glyph on red, hovered
inline constexpr int kAssetDownloadNow = QS_ASSET_DOWNLOAD_NOW;  // 215 x 57: blue button 立即下载 (start page)
inline constexpr int kAssetDownloadFolder = QS_ASSET_DOWNLOAD_FOLDER;  // 196 x 50: blue button 立即下载 (folder page)
inline constexpr int kAssetInstallNow = QS_ASSET_INSTALL_NOW;  // 194 x 48: blue button 立即安装 (progress page)
inline constexpr int kAssetChangeFolder = QS_ASSET_CHANGE_FOLDER;  // 70 x 26: small grey button 更改
inline constexpr int kAssetProgressTrack = QS_ASSET_PROGRESS_TRACK;  // 738 x 19: light grey progress track
inline constexpr int kAssetProgressFill = QS_ASSET_PROGRESS_FILL;  // 736 x 19: blue progress fill, shown cut from the left
inline constexpr int kAssetGreyArrow = QS_ASSET_GREY_ARROW;  // 14 x 15: small grey arrow pointing right
inline constexpr int kAssetTitleBar = QS_ASSET_TITLE_BAR;  // 737 x 26: blue title bar gradient with faint rings
inline constexpr int kAssetPromptIcon = QS_ASSET_PROMPT_ICON;  // 60 x 54: orange round information sign
inline constexpr int kAssetPromptBrowser = QS_ASSET_PROMPT_BROWSER;  // 105 x 17: download arrow and 点击下载安装包
inline constexpr int kAssetPromptReload = QS_ASSET_PROMPT_RELOAD;  // 66 x 27: blue button 重新下载
inline constexpr int kAssetDlgInfo = QS_ASSET_DLG_INFO;  // 48 x 48: light-blue disc with a white i, on white
inline constexpr int kAssetDlgWarning = QS_ASSET_DLG_WARNING;  // 48 x 48: orange triangle with a white !, on white
inline constexpr int kAssetDlgError = QS_ASSET_DLG_ERROR;  // 48 x 48: red disc with a white cross, on white
inline constexpr int kAssetDlgConfirm = QS_ASSET_DLG_CONFIRM;  // 48 x 48: light-blue disc with a white !, on white
inline constexpr int kAssetDlgClose = QS_ASSET_DLG_CLOSE;  // 26 x 26: white cross on the orange-red square
inline constexpr int kAssetDlgButtonBar = QS_ASSET_DLG_BUTTON_BAR;  // 498 x 46: button bar: light grey, a line along the top
inline constexpr int kAssetDlgFrame = QS_ASSET_DLG_FRAME;  // 8 x 8: flat grey of the one-pixel frame

struct TAssetInfo {
  int Id;
  int Width;
  int Height;
  const char* File;
};

// Every picture, for code that walks them all (the tests do).
inline constexpr TAssetInfo kAssets[] = {
    {kAssetBanner, 620, 241, "main_banner.png"},
    {kAssetMinimise, 30, 27, "title_min.png"},
    {kAssetMinimiseHover, 30, 27, "title_min_hover.png"},
    {kAssetClose, 30, 27, "title_close.png"},
    {kAssetCloseHover, 30, 27, "title_close_hover.png"},
    {kAssetDownloadNow, 215, 57, "main_download_now.png"},
    {kAssetDownloadFolder, 196, 50, "main_download_folder.png"},
    {kAssetInstallNow, 194, 48, "main_install_now.png"},
    {kAssetChangeFolder, 70, 26, "main_change.png"},
    {kAssetProgressTrack, 738, 19, "main_progress_track.png"},
    {kAssetProgressFill, 736, 19, "main_progress_fill.png"},
    {kAssetGreyArrow, 14, 15, "main_grey_arrow.png"},
    {kAssetTitleBar, 737, 26, "title_gradient.png"},
    {kAssetPromptIcon, 60, 54, "prompt_info.png"},
    {kAssetPromptBrowser, 105, 17, "prompt_browser_link.png"},
    {kAssetPromptReload, 66, 27, "prompt_reload.png"},
    {kAssetDlgInfo, 48, 48, "dlg_info.png"},
    {kAssetDlgWarning, 48, 48, "dlg_warning.png"},
    {kAssetDlgError, 48, 48, "dlg_error.png"},
    {kAssetDlgConfirm, 48, 48, "dlg_confirm.png"},
    {kAssetDlgClose, 26, 26, "dlg_close.png"},
    {kAssetDlgButtonBar, 498, 46, "dlg_button_bar.png"},
    {kAssetDlgFrame, 8, 8, "dlg_frame.png"},
};

}  // namespace qs
#endif
