// Any bytes from the readout, in keyboard and in foot-switch mode, with both pushed-line
// layouts: the receive handler and the decoders never crash, and the line being received stays
// bounded.
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "readout/simulatedreadout.h"
#include "app/mainwindow.h"
#include "shell/nulloperator.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static tarvo::NullOperator op;
    static const tarvo::FixedWallClock clock(tarvo::DateTime{});
    static const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarvo-fuzz-receive";
    std::filesystem::create_directories(dir);
    tarvo::Session session(op, clock, dir, dir);
    tarvo::MainWindow w(session);
    const auto* bytes = reinterpret_cast<const char*>(data);
    for (int mode = 0; mode < 2; ++mode) {
        session.acquisition.FootSwitchMode = mode == 1;
        w.Link().ReceiveData(bytes, static_cast<std::uint32_t>(size));
        w.Link().ReceiveTick();
        w.Link().TriggerTick();
        if (session.acquisition.RxAccumulator.size() > tarvo::kMaxLineLength) {
            std::abort();
        }
    }
    return 0;
}
