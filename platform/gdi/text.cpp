// The text calls: DrawTextA (measuring and drawing, alignment, & prefixes),
// TextOutA, GetTextMetricsA and GetTextExtentPoint32A.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>

#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/text_line.h"
#include "platform/wingdi.h"

namespace {

using platform::gdi::DeviceContext;
using platform::gdi::FontInstance;

struct DcFont {
    DeviceContext* dc = nullptr;
    FontInstance* font = nullptr;
    platform::gdi::LineStyle style;
};

// The DC and its font at their size; both null when either is missing.
DcFont Lookup(HDC handle) {
    DcFont found;
    found.dc = platform::gdi::FindDeviceContext(handle);
    if (found.dc == nullptr) {
        return {};
    }
    found.font = platform::gdi::SelectedFontInstance(*found.dc);
    if (found.font == nullptr) {
        return {};
    }
    const platform::gdi::GdiObject* object = platform::gdi::FindGdiObject(found.dc->font);
    found.style.underline = object->font.underline != 0;
    found.style.strikeOut = object->font.strikeOut != 0;
    return found;
}

LONG ClampToLong(long long value) { return static_cast<LONG>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

// Visits the lines of a text: one line when single-line, else split at CR LF, LF or CR.
template <typename Visit>
void ForEachLine(std::string_view text, bool singleLine, Visit visit) {
    if (singleLine) {
        visit(text);
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            visit(text.substr(start, i - start));
            if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
}

}  // namespace

int DrawTextA(HDC handle, LPCSTR text, int length, RECT* rect, UINT format) {
    DcFont found = Lookup(handle);
    if (found.dc == nullptr || text == nullptr || rect == nullptr) {
        return 0;
    }
    const std::string_view all(text, length < 0 ? std::strlen(text) : static_cast<std::size_t>(length));
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    found.style.prefixes = (format & DT_NOPREFIX) == 0;
    const long long lineHeight = found.font->Metrics().cell;

    long long width = 0;
    long long lines = 0;
    ForEachLine(all, singleLine, [&](std::string_view line) {
        width = std::max(width, platform::gdi::MeasureLine(*found.font, line, found.style.prefixes));
        ++lines;
    });
    const long long height = lines * lineHeight;
    if ((format & DT_CALCRECT) != 0) {
        rect->right = ClampToLong(static_cast<long long>(rect->left) + width);
        rect->bottom = ClampToLong(static_cast<long long>(rect->top) + height);
        return static_cast<int>(std::min<long long>(height, INT_MAX));
    }

    // Vertical placement applies to a single line only, as the alignment flags promise.
    long long top = rect->top;
    if (singleLine && (format & DT_VCENTER) != 0) {
        top = rect->top + (static_cast<long long>(rect->bottom) - rect->top - height) / 2;
    } else if (singleLine && (format & DT_BOTTOM) != 0) {
        top = rect->bottom - height;
    }
    platform::gdi::ClipBox clip{LLONG_MIN / 4, LLONG_MIN / 4, LLONG_MAX / 4, LLONG_MAX / 4};
    if ((format & DT_NOCLIP) == 0) {
        clip = {rect->left, rect->top, rect->right, rect->bottom};
    }
    long long y = top;
    ForEachLine(all, singleLine, [&](std::string_view line) {
        const long long lineWidth = platform::gdi::MeasureLine(*found.font, line, found.style.prefixes);
        long long x = rect->left;
        if ((format & DT_CENTER) != 0) {
            x = rect->left + (static_cast<long long>(rect->right) - rect->left - lineWidth) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            x = rect->right - lineWidth;
        }
        platform::gdi::DrawLine(*found.dc, *found.font, found.style, line, x, y, clip);
        y += lineHeight;
    });
    // Like GDI, with a lowered line the result reaches from the rectangle's top to the text's bottom.
    const long long result = top != rect->top ? top - rect->top + height : height;
    return static_cast<int>(std::clamp<long long>(result, 0, INT_MAX));
}

BOOL TextOutA(HDC handle, int x, int y, LPCSTR text, int length) {
    DcFont found = Lookup(handle);
    if (found.dc == nullptr || length < 0 || (text == nullptr && length > 0)) {
        return FALSE;
    }
    if (length > 0) {
        platform::gdi::DrawLine(*found.dc, *found.font, found.style, std::string_view(text, static_cast<std::size_t>(length)),
                           x, y, platform::gdi::SurfaceBox(found.dc->target));
    }
    return TRUE;
}

BOOL GetTextMetricsA(HDC handle, TEXTMETRICA* metrics) {
    const DcFont found = Lookup(handle);
    if (found.dc == nullptr || metrics == nullptr) {
        return FALSE;
    }
    const platform::gdi::SizeMetrics& m = found.font->Metrics();
    metrics->tmHeight = m.cell;
    metrics->tmAscent = m.ascent;
    metrics->tmDescent = m.descent;
    metrics->tmInternalLeading = m.internalLeading;
    metrics->tmExternalLeading = m.externalLeading;
    metrics->tmAveCharWidth = m.aveCharWidth;
    metrics->tmMaxCharWidth = m.maxCharWidth;
    metrics->tmWeight = found.font->FaceWeight();
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC handle, LPCSTR text, int length, SIZE* size) {
    const DcFont found = Lookup(handle);
    if (found.dc == nullptr || size == nullptr || length < 0 || (text == nullptr && length > 0)) {
        return FALSE;
    }
    const long long width = length > 0 ? found.font->MeasureWidth(std::string_view(text, static_cast<std::size_t>(length))) : 0;
    size->cx = static_cast<LONG>(std::min<long long>(width, INT_MAX));
    size->cy = found.font->Metrics().cell;
    return TRUE;
}
