// Everything Windows-shaped the tool includes, in one header.
#pragma once

#include "platform/win32_types.h"
#include "platform/user32.h"
#include "platform/kernel32.h"
#include "platform/winmm.h"
#include "platform/imm32.h"
#include "platform/version.h"
#include "platform/wingdi.h"
