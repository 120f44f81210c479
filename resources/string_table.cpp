// The string table.
#include <cstddef>

#include "platform/core/resource_data.h"
#include "resource_ids.h"

namespace platform::resources {

namespace {

struct StringEntry {
    unsigned id;
    const char* text;
};

constexpr StringEntry kStrings[] = {
    {IDS_APP_TITLE, "Ostrivan"},
    {IDS_WINDOW_CLASS, "OSTRIVAN"},
};

}  // namespace

const char* FindString(unsigned id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return nullptr;
}

}  // namespace platform::resources
