// The resource directory: which embedded bytes answer a dialog or icon id.
#include <cstdint>

#include "platform/core/resource_data.h"
#include "resource_ids.h"

extern "C" {
// Defined in embedded_resources.S.
extern const std::uint8_t ostrivan_settings_dialog_begin[];
extern const std::uint8_t ostrivan_settings_dialog_end[];
extern const std::uint8_t ostrivan_app_icon_begin[];
extern const std::uint8_t ostrivan_app_icon_end[];
}

namespace platform::resources {

namespace {

enum class Kind { Dialog, IconGroup };

struct Entry {
    Kind kind;
    unsigned id;
    unsigned language;  // 0x0411 for every resource; kept as data, lookups go by id alone
    const std::uint8_t* begin;
    const std::uint8_t* end;
};

const Entry kDirectory[] = {
    {Kind::Dialog, IDD_SETTINGS, 0x0411, ostrivan_settings_dialog_begin, ostrivan_settings_dialog_end},
    // Both groups hold the same eight images; the window class takes its small icon from the second.
    {Kind::IconGroup, IDI_APP_ICON, 0x0411, ostrivan_app_icon_begin, ostrivan_app_icon_end},
    {Kind::IconGroup, IDI_APP_ICON_SMALL, 0x0411, ostrivan_app_icon_begin, ostrivan_app_icon_end},
};

Bytes Find(Kind kind, unsigned id) {
    for (const Entry& entry : kDirectory) {
        if (entry.kind == kind && entry.id == id) {
            return {entry.begin, static_cast<std::size_t>(entry.end - entry.begin)};
        }
    }
    return {nullptr, 0};
}

}  // namespace

Bytes FindDialogTemplate(unsigned id) { return Find(Kind::Dialog, id); }

Bytes FindIconGroup(unsigned id) { return Find(Kind::IconGroup, id); }

}  // namespace platform::resources
