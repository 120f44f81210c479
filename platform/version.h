// VERSION: the executable's own file version, read from the version block
// embedded in its file on disk. Our own declarations.
#pragma once

#include "platform/win32_types.h"

#define VS_FFI_SIGNATURE 0xFEEF04BDu

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};

// Size in bytes of the file's version block; 0 when it has none or it cannot be read.
DWORD GetFileVersionInfoSizeA(LPCSTR path, DWORD* handle);
// Copies the version block into data; FALSE when it cannot (size too small, no block).
BOOL GetFileVersionInfoA(LPCSTR path, DWORD handle, DWORD size, LPVOID data);
// "\\" gives the VS_FIXEDFILEINFO inside data; FALSE for anything it cannot find.
BOOL VerQueryValueA(LPCVOID data, LPCSTR subBlock, LPVOID* value, UINT* length);
