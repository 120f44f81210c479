// Modal dialogs: DialogBoxParamA builds the dialog from its template, runs
// its own message loop with the dialog keys handled before dispatch, shows
// each new picture of it on the display, and returns what EndDialog gave.
// The dialog window's procedure gives the dialog procedure the first word
// and supplies the defaults a dialog has (closing means IDCANCEL).
//
// Sections: dialog records; the dialog window procedure; building; the modal loop.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/backend.h"
#include "platform/core/resource_data.h"
#include "platform/core/window_manager.h"
#include "platform/dialog/controls.h"
#include "platform/dialog/dialog_codes.h"
#include "platform/dialog/dialog_manager.h"
#include "platform/dialog/dialog_template.h"
#include "platform/dialog/dialog_units.h"
#include "platform/wingdi.h"

namespace platform::dialog {

namespace {

struct DialogRecord {
    HWND window = nullptr;
    DLGPROC proc = nullptr;
    bool ended = false;
    INT_PTR result = 0;
};

// The dialogs that exist now, innermost last.
std::vector<DialogRecord*> g_dialogs;

DialogRecord* FindRecord(HWND window) {
    for (DialogRecord* record : g_dialogs) {
        if (record->window == window && window != nullptr) {
            return record;
        }
    }
    return nullptr;
}

LRESULT DefaultDialogHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: {
        // Closing a dialog is pressing Cancel, unless a Cancel button is there and disabled.
        const HWND cancel = GetDlgItem(window, IDCANCEL);
        if (cancel == nullptr || (GetWindowLongPtrA(cancel, GWL_STYLE) & WS_DISABLED) == 0) {
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        }
        return 0;
    }
    case DM_GETDEFID: {
        std::vector<HWND> handles;
        return MAKELONG(DefaultCommandId(SnapshotControls(window, &handles)), DC_HASDEFID);
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create != nullptr && create->lpCreateParams != nullptr) {
            static_cast<DialogRecord*>(create->lpCreateParams)->window = window;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    DialogRecord* record = FindRecord(window);
    if (record != nullptr && record->proc != nullptr) {
        const INT_PTR handled = record->proc(window, message, wParam, lParam);
        if (handled != 0) {
            return handled;
        }
    }
    return DefaultDialogHandling(window, message, wParam, lParam);
}

namespace {

// Building -------------------------------------------------------------------

const char* ControlClassName(const NameOrOrdinal& windowClass) {
    if (!windowClass.isOrdinal) {
        return windowClass.name.c_str();
    }
    switch (windowClass.ordinal) {
    case 0x0080:
        return kButtonClass;
    case 0x0082:
        return kStaticClass;
    case 0x0083:
        return kListBoxClass;
    default:
        return nullptr;  // edit, scroll bar and combo box controls are not supplied
    }
}

HFONT CreateDialogFont(const DialogTemplate& t) {
    const int points = t.hasFont && t.pointSize > 0 ? t.pointSize : 8;
    const char* face = t.hasFont && !t.typeface.empty() ? t.typeface.c_str() : "MS Shell Dlg";
    return CreateFontA(FontHeightForPoints(points), 0, 0, 0, t.hasFont ? t.weight : FW_NORMAL,
                       t.hasFont ? t.italic : 0, 0, 0, t.hasFont ? t.charset : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// The dialog window at the template's size; DS_CENTER puts it in the middle of the desktop.
HWND CreateDialogWindow(const DialogTemplate& t, const BaseUnits& units, HWND owner, HINSTANCE instance,
                        DialogRecord* record) {
    const RECT size = DialogRectToPixels(0, 0, t.cx, t.cy, units);
    RECT place = DialogRectToPixels(t.x, t.y, t.cx, t.cy, units);
    DisplayMode desktop{};
    if ((t.style & DS_CENTER) != 0 && CurrentBackend().GetDesktopMode(&desktop)) {
        const int left = (static_cast<int>(desktop.width) - size.right) / 2;
        const int top = (static_cast<int>(desktop.height) - size.bottom) / 2;
        place = RECT{left, top, left + size.right, top + size.bottom};
    }
    const DWORD style = t.style & ~static_cast<DWORD>(WS_CHILD);
    return CreateWindowUnchecked(t.exStyle, kDialogClass, t.title.c_str(), style, place.left, place.top,
                                 size.right, size.bottom, owner, nullptr, instance, record);
}

bool CreateControls(HWND dialog, const DialogTemplate& t, const BaseUnits& units, HINSTANCE instance, HFONT font) {
    for (const DialogItemTemplate& item : t.items) {
        const char* className = ControlClassName(item.windowClass);
        if (className == nullptr) {
            return false;
        }
        const RECT r = DialogRectToPixels(item.x, item.y, item.cx, item.cy, units);
        const std::string text = item.title.isOrdinal ? std::string() : item.title.name;
        HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id));
        void* data = item.creationData.empty() ? nullptr : const_cast<std::uint8_t*>(item.creationData.data());
        HWND control = CreateWindowUnchecked(item.exStyle, className, text.c_str(), item.style | WS_CHILD, r.left,
                                             r.top, r.right - r.left, r.bottom - r.top, dialog, id, instance, data);
        if (control == nullptr) {
            return false;
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

// The modal loop ---------------------------------------------------------------

class Picture {
public:
    explicit Picture(HWND dialog) : dialog_(dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        width_ = std::max<LONG>(client.right, 1);
        height_ = std::max<LONG>(client.bottom, 1);
        pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
    }
    int width() const { return width_; }
    int height() const { return height_; }

    // Paints and shows the dialog when something in it asked to be drawn again.
    void Refresh(bool force = false) {
        if (TakeRepaintRequest(dialog_) || force) {
            PaintDialog(dialog_, PixelTarget{pixels_.data(), width_, height_, width_});
            CurrentBackend().ShowDialogPicture(pixels_.data(), width_, height_, width_);
        }
    }

private:
    HWND dialog_;
    int width_ = 1;
    int height_ = 1;
    std::vector<std::uint16_t> pixels_;
};

// Runs until EndDialog (or WM_QUIT, which is put back for the outer loop). False on WM_QUIT.
bool RunModalLoop(HWND dialog, DialogRecord& record, Picture& picture) {
    const Backend& backend = CurrentBackend();
    picture.Refresh(true);
    while (!record.ended && IsWindow(dialog)) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            picture.Refresh();
            backend.WaitForEvent();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!HandleDialogKey(dialog, msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (IsWindow(dialog)) {
            picture.Refresh();
        }
    }
    return true;
}

void Forget(DialogRecord* record) {
    g_dialogs.erase(std::remove(g_dialogs.begin(), g_dialogs.end(), record), g_dialogs.end());
}

}  // namespace

}  // namespace platform::dialog

using namespace platform;
using namespace platform::dialog;

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC dialogProc, LPARAM initParam) {
    if (templateName == nullptr || !IS_INTRESOURCE(templateName) || dialogProc == nullptr) {
        return -1;
    }
    const resources::Bytes bytes =
        resources::FindDialogTemplate(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(templateName)));
    DialogTemplate t;
    if (bytes.size == 0 || !ParseDialogTemplate(bytes.data, bytes.size, &t) || !t.windowClass.empty() ||
        !RegisterDialogClasses()) {
        return -1;
    }

    HFONT font = CreateDialogFont(t);
    const BaseUnits units = MeasureBaseUnits(font);
    DialogRecord record;
    g_dialogs.push_back(&record);
    const HWND dialog = CreateDialogWindow(t, units, owner, instance, &record);
    const auto fail = [&]() -> INT_PTR {
        if (IsWindow(dialog)) {
            DestroyWindow(dialog);
        }
        Forget(&record);
        DeleteObject(font);
        return -1;
    };
    if (dialog == nullptr) {
        return fail();
    }
    // The dialog procedure hears from WM_SETFONT on, as the controls are made.
    record.proc = dialogProc;
    SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!CreateControls(dialog, t, units, instance, font)) {
        return fail();
    }
    const HWND first = FirstTabItem(dialog);
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam) != 0) {
        SetFocus(FirstTabItem(dialog));
    }

    bool quit = false;
    if (!record.ended && IsWindow(dialog)) {
        // A dialog ended by its own WM_INITDIALOG is never shown.
        RECT client;
        GetClientRect(dialog, &client);
        std::string error;
        if (!CurrentBackend().OpenDialogWindow(client.right, client.bottom, t.title.c_str(), &error)) {
            return fail();
        }
        const HWND previous = GetDialogWindow();
        SetDialogWindow(dialog);
        // A modal dialog shows itself whether or not its template says WS_VISIBLE.
        ShowWindow(dialog, SW_SHOW);
        Picture picture(dialog);
        quit = !RunModalLoop(dialog, record, picture);
        // The display keeps the picture the dialog was last seen with, so show the final state.
        if (IsWindow(dialog)) {
            picture.Refresh();
        }
        CurrentBackend().CloseDialogWindow();
        SetDialogWindow(previous);
    }

    const INT_PTR result = record.ended ? record.result : quit ? 0 : -1;
    if (IsWindow(dialog)) {
        DestroyWindow(dialog);
    }
    Forget(&record);
    DeleteObject(font);
    return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    DialogRecord* record = FindRecord(dialog);
    if (record == nullptr) {
        return FALSE;
    }
    record->ended = true;
    record->result = result;
    return TRUE;
}
