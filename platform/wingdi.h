// GDI and USER text: fonts, brushes and text drawn into the device contexts
// of surfaces. Our own declarations of the calls the tool and the dialog make.
#pragma once

#include "platform/win32_types.h"

// Background modes
#define TRANSPARENT 1
#define OPAQUE 2

// DrawTextA formats
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_SINGLELINE 0x00000020
#define DT_NOCLIP 0x00000100
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800

// CreateFontA arguments
#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define OUT_DEFAULT_PRECIS 0
#define OUT_TT_ONLY_PRECIS 7
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define ANTIALIASED_QUALITY 4
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_SWISS 0x20
#define FF_MODERN 0x30

#define GDI_ERROR 0xFFFFFFFFu
#define CLR_INVALID 0xFFFFFFFFu

struct TEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

// A logical font keeping all 14 arguments; the face is chosen when it is first drawn or measured.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);
// Selects a font or brush into the DC; returns the object of that kind it replaces, null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Deletes a font or brush; FALSE for an unknown object or one still selected into a DC.
BOOL DeleteObject(HGDIOBJ object);
HBRUSH CreateSolidBrush(COLORREF colour);
// Fills [left, right) x [top, bottom) with the brush, clipped to the surface.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// Returns the previous mode, 0 on failure.
int SetBkMode(HDC dc, int mode);
COLORREF SetBkColor(HDC dc, COLORREF colour);
// Returns the previous colour, CLR_INVALID on failure.
COLORREF SetTextColor(HDC dc, COLORREF colour);
// DT_CALCRECT | DT_SINGLELINE: measures, moves right and bottom, returns the height, draws nothing.
// DT_SINGLELINE: draws one line from the rectangle's left and top edges, clipped to it (unless
// DT_NOCLIP). DT_CENTER / DT_VCENTER / DT_RIGHT position the line inside the rectangle.
// A length of -1 means the text is NUL-terminated. Returns the text height, 0 on failure.
int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format);
// Draws length characters with the top-left corner of the line at (x, y); length 0 draws nothing.
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE* size);
