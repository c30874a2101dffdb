#pragma once

#include <cstddef>
#include <cstdint>

namespace splot {

// Byte copies between the picture and the history's snapshot arrays. The
// snapshot arrays are written far more often than they are read (every mouse
// press writes the undo snapshot, only an Undo reads it), so where the
// processor allows (AVX2 or AVX-512, chosen at run time), the snapshot side is written with streaming stores
// that bypass the caches: the copy then costs about what the plain copy costs instead of half as much again
// for reading the old snapshot into the cache. Call snapshotCopiesDone() after a series of copies, before the
// snapshot arrays are read again. All buffers must be distinct.

// snapshot <- live, n bytes.
void copyToSnapshot(std::uint8_t* snapshot, const std::uint8_t* live, std::size_t n);

// first <- live and second <- live, in one pass over n bytes.
void copyToTwoSnapshots(std::uint8_t* first, std::uint8_t* second, const std::uint8_t* live, std::size_t n);

// keep <- live, then live <- restore, in one pass over n bytes (the swap of
// Undo and Redo: keep receives the displaced picture). True when live
// changed, that is when some byte of restore differed from it.
bool keepAndRestore(std::uint8_t* keep, std::uint8_t* live, const std::uint8_t* restore, std::size_t n);

// Orders the streaming stores before any later access to the snapshot arrays.
void snapshotCopiesDone();

} // namespace splot
