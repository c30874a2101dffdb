#pragma once

#include <string>
#include <string_view>

namespace splot {

// Writes bytes to a temporary file in the folder of path and renames it over
// path only once it is complete and flushed. On any failure the previous file
// at path is left exactly as it was, no temporary file remains, the result
// is false and errno holds the reason. An existing file keeps its permissions.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// The same, for a file that must not exist yet: the completed file takes the
// name only if nothing has it, in one step, so two writers never replace each
// other's file. Returns 0, EEXIST when the name is taken (nothing written),
// or the errno of the failure (nothing left behind).
int writeNewFileAtomically(const std::string& path, std::string_view bytes);

} // namespace splot
