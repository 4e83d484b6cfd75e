#include "shell/session.h"

#include "base/fileio.h"

namespace tarvo {

Session::Session(Operator& op, const WallClock& clock, std::filesystem::path workDir, std::filesystem::path driveRoot)
    : m_op(op), m_clock(clock), m_workDir(std::move(workDir)), m_driveRoot(std::move(driveRoot)) {}

bool Session::ReadOnlyMedia() const { return FileExists(m_driveRoot / kReadOnlyMarker); }

}  // namespace tarvo
