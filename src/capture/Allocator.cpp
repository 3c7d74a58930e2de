#include "capture/Allocator.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zq {

void KeepFreedMemoryForRedraws() {
#if defined(__GLIBC__)
    // Far above what a redraw uses, far below what would matter on any machine.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
#endif
}

}  // namespace zq
