// The binary resources, embedded as read-only data: the settings dialog template
// and the icon group (one .ico serves both icon ids). Each blob is bracketed by a
// begin and an end symbol; resource_directory.cpp turns them into byte ranges.
// The files are found through the assembler's include path (-I this folder).

#define EMBED(name, file)            \
    .globl name##_begin;             \
    .globl name##_end;               \
    .hidden name##_begin;            \
    .hidden name##_end;              \
    .balign 4;                       \
name##_begin:                        \
    .incbin file;                    \
name##_end:

    .section .rodata.ostrivan_resources, "a"
EMBED(ostrivan_settings_dialog, "settings_dialog.bin")
EMBED(ostrivan_app_icon, "ostrivan.ico")

    .section .note.GNU-stack, "", @progbits
