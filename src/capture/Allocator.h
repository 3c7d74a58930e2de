#pragma once
// Every redraw allocates and frees the same few hundred kilobytes (the grid, the file's bytes,
// the listing's lines). By default the C library hands freed memory at the top of the heap
// back to the system, so the next redraw takes page faults to get it again: that doubled the
// cost of a listing build. The program keeps it instead; benchmarks run with the same setting.
namespace zq {
void KeepFreedMemoryForRedraws();
}
