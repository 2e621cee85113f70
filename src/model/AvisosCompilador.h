#pragma once

// Brackets a statement on which GCC 12 reports -Wrestrict although nothing can overlap. With
// optimisation it inlines std::string's assignment, concatenation and resize down to a
// memcpy whose length it cannot bound, and takes that copy for one between overlapping
// buffers; the string's own buffer never overlaps the characters copied into it. The
// release preset's -O3 shows them (ci's -O2 mostly does not); a literal of one character
// joined in front of a string is the usual trigger. Other compilers and other warnings are
// left as they are.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#define FENDRIL_GCC12_SEM_WRESTRICT_INICIO                                                         \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wrestrict\"")
#define FENDRIL_GCC12_SEM_WRESTRICT_FIM _Pragma("GCC diagnostic pop")
#else
#define FENDRIL_GCC12_SEM_WRESTRICT_INICIO
#define FENDRIL_GCC12_SEM_WRESTRICT_FIM
#endif
