// Which face file answers a logical font: a request by family name through
// fontconfig, checked against the family it really returns, with a fallback
// to fontconfig's best outline face of the right pitch.
#pragma once

#include <string>

namespace platform::gdi {

struct FontRequest {
    std::string faceName;  // as given to CreateFontA; empty for none
    int weight;            // 0 (don't care) to 1000
    bool italic;
    unsigned pitchAndFamily;
};

struct FaceChoice {
    std::string file;
    int index = 0;         // face index inside the file
    std::string family;    // the family fontconfig reported, for diagnosis
};

// The family we ask fontconfig for first: "Liberation Mono" for fixed-pitch or modern requests
// without a usable name, "Liberation Sans" for "MS Shell Dlg" and other unnamed requests, a
// known Windows face's metric twin, or the name itself.
std::string PreferredFamily(const FontRequest& request);
// Whether the request wants a fixed-pitch face when the preferred family is missing.
bool WantsFixedPitch(const FontRequest& request);

// Resolves the request to a face file. Returns false, with `reason` set, only when fontconfig
// cannot be started or knows no outline face at all. Answers are remembered per request.
bool MapFont(const FontRequest& request, FaceChoice& choice, std::string& reason);

}  // namespace platform::gdi
