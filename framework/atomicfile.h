#pragma once
// Replacing a file so that a failure never destroys what it held: the new content goes to a
// temporary file beside it, is forced to the disk, and only then takes the file's place.
#include <functional>
#include <string>

#include "tolvex/framework/stream.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// Writes the file through `write`. A symbolic link is followed, so the file it points to is
// replaced and the link stays; an existing file keeps its permissions. A device or pipe (such as
// /dev/full) is written in place, having no content to keep. On any failure the previous file is
// left as it was, the temporary file is removed and the error names `fileName`: EFCreateError
// when the file cannot be made or put in place, EWriteError when writing fails.
void WriteFileAtomically(const std::string& fileName, const std::function<void(TStream&)>& write);

}  // namespace tolvex

TOLVEX_END_API
