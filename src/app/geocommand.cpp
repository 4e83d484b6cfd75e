// The main window's handler of the geometric tolerances: the command itself lives in
// programs/geocompare; the last definition is the session's.
#include "app/mainwindow.h"
#include "app/session.h"
#include "programs/geocompare.h"

namespace tarvo {

void MainWindow::GeoToleranceClick() {
    Guarded([this] { CompareGeometric(m_ctx, m_s.geoTolerance, &m_journal); });
}

}  // namespace tarvo
