// Resident memory stays flat over long editing: nothing a command allocates
// outlives it or the canvas it belongs to.
#include "support/SessionRig.h"

#include <gtest/gtest.h>

#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace splot::test {
namespace {

// Resident set size of this process in bytes, once the allocator has handed
// back what it keeps free (what earlier tests left in the heap is not ours).
long residentBytes() {
    malloc_trim(0);
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

// One cycle: a stroke, Undo, Redo, New and Resize at 1000 x 1000. Every
// fiftieth Resize goes to 1000 x 999 first, so the canvas and its arrays are
// also built afresh.
void editCycle(SessionRig& rig, int cycle) {
    Session& s = rig.session;
    rig.mouse.x = 100;
    rig.mouse.y = 100;
    s.imageMouseDown();
    for (int i = 0; i < 10; ++i) {
        rig.mouse.x += 30;
        rig.mouse.y += 20;
        s.imageMouseMove(HeldButtons::Left);
    }
    s.imageMouseUp();
    s.Undo();
    s.Redo();
    rig.prompts.answers = {Answer::No};
    if (s.CheckForClear("scrapping"))
        s.applyNewImageSize(1000, 1000, false);
    rig.prompts.answers = {Answer::No};
    if (s.CheckForClear("resizing")) {
        if (cycle % 50 == 0)
            s.applyNewImageSize(1000, 999, true);
        s.applyNewImageSize(1000, 1000, true);
    }
    rig.prompts.shown.clear();
    rig.cursor.shown.clear();
    rig.display.rects.clear();
    rig.display.outlines.clear();
}

TEST(SessionMemory, ThousandEditCyclesAt1000x1000KeepResidentMemoryFlat) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps freed blocks in quarantine by design";
#endif
    SessionRig rig;
    for (int i = 0; i < 100; ++i) // the allocator settles on its working set
        editCycle(rig, i);
    const long settled = residentBytes();
    for (int i = 0; i < 1000; ++i)
        editCycle(rig, i);
    const long after = residentBytes();
    EXPECT_LT(after - settled, settled / 100) << "settled " << settled << " bytes, after " << after;
    RecordProperty("residentBytes", static_cast<int>(settled));
    RecordProperty("residentGrowthBytes", static_cast<int>(after - settled));
}

} // namespace
} // namespace splot::test
