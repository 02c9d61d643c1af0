// A second exported name for an export's function, as the export table's alias rows ask. The
// Windows module definition maps the alias to the target's function itself; a shared object needs
// the alias as a symbol of its own, the same address under the second name. Used in the file that
// defines the target.
#pragma once

#if defined(_WIN32)
#define QUELFI_SECOND_NAME(second, first)
#else
#define QUELFI_SECOND_NAME(second, first) \
    extern "C" decltype(first) second __attribute__((__alias__(#first)));
#endif
