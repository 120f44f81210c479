#include "platform/gdi/font_mapper.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string_view>

#include "platform/wingdi.h"

namespace platform::gdi {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Windows faces a dialog or program may name, and the metric-compatible family that stands in.
struct Alias {
    std::string_view windowsName;
    std::string_view family;
};
constexpr Alias kAliases[] = {
    {"ms shell dlg", "Liberation Sans"},    {"ms shell dlg 2", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans"},   {"microsoft sans serif", "Liberation Sans"},
    {"tahoma", "Liberation Sans"},          {"arial", "Liberation Sans"},
    {"segoe ui", "Liberation Sans"},        {"system", "Liberation Sans"},
    {"courier new", "Liberation Mono"},     {"courier", "Liberation Mono"},
    {"fixedsys", "Liberation Mono"},        {"terminal", "Liberation Mono"},
    {"lucida console", "Liberation Mono"},  {"consolas", "Liberation Mono"},
    {"times new roman", "Liberation Serif"}, {"ms serif", "Liberation Serif"},
};

// fontconfig's configuration, loaded on first use and destroyed at exit: fontconfig keeps part
// of what it parses where the leak checker cannot see it, so only destroying it counts as freed.
FcConfig* g_config = nullptr;
bool g_configGone = false;

void DestroyConfig() {
    if (g_config != nullptr) {
        FcConfigDestroy(g_config);
        g_config = nullptr;
    }
    g_configGone = true;
}

FcConfig* Config(std::string& reason) {
    if (g_config == nullptr && !g_configGone) {
        g_config = FcInitLoadConfigAndFonts();
        if (g_config != nullptr) {
            std::atexit(DestroyConfig);
        } else {
            g_configGone = true;
        }
    }
    if (g_config == nullptr) {
        reason = g_configGone ? "fontconfig: no configuration (failed to load, or the process is ending)"
                              : "fontconfig: no configuration could be loaded";
    }
    return g_config;
}

bool HasFamily(FcPattern* pattern, const std::string& family) {
    const std::string wanted = Lower(family);
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        if (Lower(reinterpret_cast<const char*>(value)) == wanted) {
            return true;
        }
    }
    return false;
}

bool TakeFile(FcPattern* pattern, FaceChoice& choice) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch) {
        return false;
    }
    int index = 0;
    if (FcPatternGetInteger(pattern, FC_INDEX, 0, &index) != FcResultMatch) {
        index = 0;
    }
    FcChar8* family = nullptr;
    choice.file = reinterpret_cast<const char*>(file);
    choice.index = index;
    choice.family = FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch
                        ? reinterpret_cast<const char*>(family)
                        : std::string();
    return true;
}

FcPattern* MakePattern(const char* family, const FontRequest& request) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, request.weight >= FW_SEMIBOLD ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    return pattern;
}

// The family by name, taken only when fontconfig really answers with it (it substitutes freely).
bool MatchByName(FcConfig* config, const std::string& family, const FontRequest& request, FaceChoice& choice) {
    FcPattern* pattern = MakePattern(family.c_str(), request);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    bool taken = false;
    if (match != nullptr) {
        taken = HasFamily(match, family) && TakeFile(match, choice);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return taken;
}

// The best outline face of the wanted pitch; any outline face if none has it.
bool MatchByPitch(FcConfig* config, bool fixedPitch, const FontRequest& request, FaceChoice& choice) {
    FcPattern* pattern = MakePattern(fixedPitch ? "monospace" : "sans-serif", request);
    if (fixedPitch) {
        FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    }
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* sorted = FcFontSort(config, pattern, FcFalse, nullptr, &result);
    FcPattern* firstOutline = nullptr;
    FcPattern* firstFixed = nullptr;
    for (int i = 0; sorted != nullptr && i < sorted->nfont; ++i) {
        FcPattern* candidate = sorted->fonts[i];
        FcBool outline = FcFalse;
        if (FcPatternGetBool(candidate, FC_OUTLINE, 0, &outline) != FcResultMatch || !outline) {
            continue;
        }
        if (firstOutline == nullptr) {
            firstOutline = candidate;
        }
        int spacing = FC_PROPORTIONAL;
        if (FcPatternGetInteger(candidate, FC_SPACING, 0, &spacing) == FcResultMatch &&
            (spacing == FC_MONO || spacing == FC_CHARCELL)) {
            firstFixed = candidate;
            break;
        }
        if (!fixedPitch) {
            break;
        }
    }
    FcPattern* pick = fixedPitch && firstFixed != nullptr ? firstFixed : firstOutline;
    const bool taken = pick != nullptr && TakeFile(pick, choice);
    if (sorted != nullptr) {
        FcFontSetDestroy(sorted);
    }
    FcPatternDestroy(pattern);
    return taken;
}

}  // namespace

bool WantsFixedPitch(const FontRequest& request) {
    return (request.pitchAndFamily & 0x3u) == FIXED_PITCH || (request.pitchAndFamily & 0xF0u) == FF_MODERN;
}

std::string PreferredFamily(const FontRequest& request) {
    const std::string name = Lower(request.faceName);
    if (name.empty()) {
        return WantsFixedPitch(request) ? "Liberation Mono" : "Liberation Sans";
    }
    for (const Alias& alias : kAliases) {
        if (alias.windowsName == name) {
            return std::string(alias.family);
        }
    }
    return request.faceName;
}

bool MapFont(const FontRequest& request, FaceChoice& choice, std::string& reason) {
    const std::string family = PreferredFamily(request);
    const bool fixedPitch = WantsFixedPitch(request);
    const bool bold = request.weight >= FW_SEMIBOLD;
    const std::string key = Lower(family) + (bold ? "|b" : "|r") + (request.italic ? "i" : "") + (fixedPitch ? "|f" : "|v");

    // Remembered answers: fonts are created and deleted every frame with the same requests.
    static std::map<std::string, FaceChoice>* answers = new std::map<std::string, FaceChoice>();
    if (auto found = answers->find(key); found != answers->end()) {
        choice = found->second;
        return true;
    }
    FcConfig* config = Config(reason);
    if (config == nullptr) {
        return false;
    }
    if (!MatchByName(config, family, request, choice) && !MatchByPitch(config, fixedPitch, request, choice)) {
        reason = "fontconfig: no outline face for \"" + family + "\"";
        return false;
    }
    (*answers)[key] = choice;
    return true;
}

}  // namespace platform::gdi
