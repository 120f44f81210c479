// The version block in a section of its own, so the VERSION service can find it
// in the executable's file on disk by name, as Windows finds a version resource.
// The section is allocated ("a") like any resource, and no code refers to it:
// it stays in the executable because this object library is linked whole.

    .section .ostrivan_version, "a"
    .balign 4
    .incbin "version_block.bin"

    .section .note.GNU-stack, "", @progbits
