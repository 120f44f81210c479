// String services: lstrcpyA, lstrlenA, LoadStringA over the string table,
// SetRect and wsprintfA (integer formatting only, as on Windows).
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/core/resource_data.h"
#include "platform/kernel32.h"
#include "platform/user32.h"

LPSTR lstrcpyA(LPSTR destination, LPCSTR source) {
    if (destination == nullptr || source == nullptr) {
        return nullptr;
    }
    return std::strcpy(destination, source);
}

int lstrlenA(LPCSTR text) { return text == nullptr ? 0 : static_cast<int>(std::strlen(text)); }

int LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int bufferSize) {
    if (buffer == nullptr || bufferSize <= 0) {
        return 0;
    }
    const char* text = platform::resources::FindString(id);
    if (text == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    std::size_t length = std::strlen(text);
    if (length > static_cast<std::size_t>(bufferSize - 1)) {
        length = static_cast<std::size_t>(bufferSize - 1);
    }
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
    if (rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

namespace {

// Windows caps wsprintfA's output at 1024 characters.
constexpr std::size_t kWsprintfLimit = 1024;

}  // namespace

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    if (buffer == nullptr || format == nullptr) {
        return 0;
    }
    std::string out;
    va_list args;
    va_start(args, format);
    for (const char* p = format; *p != '\0' && out.size() < kWsprintfLimit;) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        // %[-#0][width][.precision][l|h]type; anything else is copied as it stands.
        const char* start = p++;
        std::string conversion = "%";
        while (*p == '-' || *p == '#' || *p == '0') {
            conversion += *p++;
        }
        while (*p >= '0' && *p <= '9') {
            conversion += *p++;
        }
        if (*p == '.') {
            conversion += *p++;
            while (*p >= '0' && *p <= '9') {
                conversion += *p++;
            }
        }
        bool isLong = false;
        if (*p == 'l' || *p == 'h') {
            isLong = *p == 'l';
            ++p;
        }
        char piece[1100];
        switch (*p) {
        case 'd':
        case 'i':
            conversion += 'd';
            std::snprintf(piece, sizeof piece, conversion.c_str(), isLong ? static_cast<int>(va_arg(args, long)) : va_arg(args, int));
            break;
        case 'u':
        case 'x':
        case 'X':
            conversion += *p;
            std::snprintf(piece, sizeof piece, conversion.c_str(),
                          isLong ? static_cast<unsigned>(va_arg(args, unsigned long)) : va_arg(args, unsigned));
            break;
        case 'c':
            conversion += 'c';
            std::snprintf(piece, sizeof piece, conversion.c_str(), va_arg(args, int));
            break;
        case 's': {
            conversion += 's';
            const char* s = va_arg(args, const char*);
            std::snprintf(piece, sizeof piece, conversion.c_str(), s != nullptr ? s : "(null)");
            break;
        }
        case '%':
            piece[0] = '%';
            piece[1] = '\0';
            break;
        default:
            // Unknown conversion: keep the text, consume nothing.
            out.append(start, static_cast<std::size_t>(p - start));
            continue;
        }
        ++p;
        out += piece;
    }
    va_end(args);
    if (out.size() > kWsprintfLimit) {
        out.resize(kWsprintfLimit);
    }
    std::memcpy(buffer, out.c_str(), out.size() + 1);
    return static_cast<int>(out.size());
}
