// The program's resources as compiled into the executable: the string table,
// dialog templates and icon groups (see resources/).
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::resources {

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
};

// The string with this id from the string table, or null.
const char* FindString(unsigned id);
// The DLGTEMPLATEEX bytes of the dialog with this id; size 0 when there is none.
Bytes FindDialogTemplate(unsigned id);
// The .ico file bytes (an icon group) with this id; size 0 when there is none.
Bytes FindIconGroup(unsigned id);

}  // namespace platform::resources
