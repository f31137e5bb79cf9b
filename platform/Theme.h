#pragma once

#include "platform/Gdi.h"

#include <QString>
#include <cstdint>

namespace platform {

// The visual styles: our own drawing of the parts a themed window asks for.
// The style in use starts from the environment variable VELTRANE_THEME:
// "Classic" (no visual style: opening theme data fails), "Metallic",
// "HomeStead" or "NormalColor" (the default, also for any other value). Each
// style is a colour scheme of the class "ExplorerBar", parts 1 and 5 to 12 in
// the states 1 (normal), 2 (hot) and 3 (pressed).

using HTHEME = int32_t;
using HRESULT = int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

// The part sizes GetThemePartSize can report.
enum ThemeSize { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

struct SIZE {
    int32_t cx = 0;
    int32_t cy = 0;
};

// The name of the style in use and a switch to another. Switching does not
// tell the windows; platform/ui/ThemeChange.h does both.
QString CurrentVisualStyle();
void SetCurrentVisualStyle(const QString& name);

// A handle for drawing the parts of a window class (class names match without
// regard to case; a list of names separated by ";" takes the first known one).
// 0 when there is no visual style or no such class.
HTHEME OpenThemeData(int32_t hWnd, const QString& classList);
HRESULT CloseThemeData(HTHEME theme);

// The style's file name and colour-scheme name. E_FAIL without a visual style.
HRESULT GetCurrentThemeName(QString* fileName, QString* colorName, QString* sizeName = nullptr);

HRESULT GetThemePartSize(HTHEME theme, const DeviceContext* dc, int partId, int stateId, const RECT* rect,
                         ThemeSize kind, SIZE& size);
// The part of a background where its content (text, icons) goes.
HRESULT GetThemeBackgroundContentRect(HTHEME theme, const DeviceContext* dc, int partId, int stateId,
                                      const RECT& bounding, RECT& content);
HRESULT GetThemeTextExtent(HTHEME theme, const DeviceContext& dc, int partId, int stateId, const QString& text,
                           int count, uint32_t textFlags, const RECT* bounding, RECT& extent);
// Draws what the window's parent shows behind a part. Windows here keep their
// own drawing, so what already lies under the part is the parent's background
// and stays as it is.
HRESULT DrawThemeParentBackground(int32_t hWnd, const DeviceContext& dc, const RECT* rect);
HRESULT DrawThemeBackground(HTHEME theme, const DeviceContext& dc, int partId, int stateId, const RECT& rect,
                            const RECT* clip);
// Draws text in the part's own text colour, with DrawTextA's format flags.
HRESULT DrawThemeText(HTHEME theme, const DeviceContext& dc, int partId, int stateId, const QString& text, int count,
                      uint32_t textFlags, uint32_t textFlags2, const RECT& rect);
// Draws an image (0-based) of the image list with that handle.
HRESULT DrawThemeIcon(HTHEME theme, const DeviceContext& dc, int partId, int stateId, const RECT& rect,
                      int32_t imageListHandle, int imageIndex);

} // namespace platform
