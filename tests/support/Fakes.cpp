#include "support/Fakes.h"

#include <atomic>
#include <unistd.h>

namespace splot::test {

FakePaths::FakePaths() {
    static std::atomic<int> counter{0};
    folder = std::filesystem::temp_directory_path() /
             ("splot-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
}

FakePaths::~FakePaths() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

} // namespace splot::test
