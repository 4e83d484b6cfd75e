// Any bytes from the readout, in keyboard and in foot-switch mode, with both pushed-line
// layouts, through both receive handlers (the normal one, and the diagnostic one that "RS_TEST"
// installs): the handlers and the decoders never crash, the line being received stays bounded
// and the diagnostic window's list keeps its limit.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/mainwindow.h"
#include "fuzzdir.h"
#include "readout/simulatedreadout.h"
#include "shell/nulloperator.h"

namespace {

void Receive(tarvo::Session& session, tarvo::MainWindow& w, const char* bytes, std::size_t size) {
    for (int mode = 0; mode < 2; ++mode) {
        session.acquisition.FootSwitchMode = mode == 1;
        w.Link().ReceiveData(bytes, static_cast<std::uint32_t>(size));
        w.Link().ReceiveTick();
        w.Link().TriggerTick();
        if (session.acquisition.RxAccumulator.size() > tarvo::kMaxLineLength || w.Link().view.Input.size() > 100) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static tarvo::NullOperator op;
    static const tarvo::FixedWallClock clock(tarvo::DateTime{});
    static const std::filesystem::path dir = FuzzDir("receive");
    static const std::filesystem::path diagnostic = [] {
        auto d = FuzzDir("receive-diagnostic");
        std::ofstream(d / "RS_TEST") << "";
        return d;
    }();
    const auto* bytes = reinterpret_cast<const char*>(data);
    {
        tarvo::Session session(op, clock, dir, dir);
        tarvo::MainWindow w(session);
        Receive(session, w, bytes, size);
    }
    {
        tarvo::Session session(op, clock, diagnostic, diagnostic);
        tarvo::MainWindow w(session);
        w.Timer2Timer();  // the start-up step finds "RS_TEST" and shows the diagnostic window
        if (!w.Link().view.Visible) {
            std::abort();
        }
        Receive(session, w, bytes, size);
    }
    return 0;
}
