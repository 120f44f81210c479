// Constants the dialog manager and its controls share among themselves: the
// answers to WM_GETDLGCODE, the button and dialog messages that only the
// platform sends, and the names of the built-in window classes.
#pragma once

#include "platform/user32.h"

// What a control tells the dialog manager about itself (WM_GETDLGCODE).
#ifndef DLGC_WANTARROWS
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000
#endif

#ifndef BM_CLICK
#define BM_GETSTATE 0x00F2
#define BM_SETSTATE 0x00F3
#define BM_CLICK 0x00F5
#define BST_PUSHED 0x0004
#define BST_FOCUS 0x0008
#endif

#ifndef DM_GETDEFID
#define DM_GETDEFID (WM_USER + 0)
#define DC_HASDEFID 0x534B
#endif

#ifndef SS_RIGHT
#define SS_RIGHT 0x00000002L
#define SS_TYPEMASK 0x0000001FL
#define SS_NOPREFIX 0x00000080L
#endif

#ifndef BS_RADIOBUTTON
#define BS_RADIOBUTTON 0x00000004L
#endif

#ifndef LBN_ERRSPACE
#define LBN_ERRSPACE (-2)
#endif

namespace platform::dialog {

// The classes of the dialog window and its controls, registered on first use.
inline constexpr const char* kDialogClass = "#32770";
inline constexpr const char* kButtonClass = "Button";
inline constexpr const char* kStaticClass = "Static";
inline constexpr const char* kListBoxClass = "ListBox";

}  // namespace platform::dialog
