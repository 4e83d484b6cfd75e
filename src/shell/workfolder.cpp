#include "shell/workfolder.h"

#include "base/fileio.h"
#include "shell/settings.h"

namespace tarvo {

bool WorkFolder::ReadOnlyMedia() const { return FileExists(m_driveRoot / kReadOnlyMarker); }

}  // namespace tarvo
