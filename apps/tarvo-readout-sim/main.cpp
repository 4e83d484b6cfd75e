// tarvo-readout-sim: a digital readout on a pseudo terminal, for tests and the demo.
//   tarvo-readout-sim [--dir DIR] [--link PATH] [--scale PPMX PPMY] [--wave-x UM MM]
//                     [--wave-y UM MM] [--squareness URAD]
// The machine errors: a scale error per axis in ppm, a periodic error along an axis (amplitude
// in µm, period in mm), the Y guide leaning towards +X by URAD µrad. With them "pos" and the
// pushes take the true position of the stage and report what the erring scales read.
// Prints "device: /dev/pts/N" and answers each axis request of the interface profile found in
// DIR (TARVO.INI names it, default IF2M.VAL) with the current reading. Commands on standard
// input, one per line:
//   pos X Y        the readings from now on
//   push0 X Y      a foot-switch capture as two one-axis lines (axis marks)
//   push1 X Y      a foot-switch capture as one two-axis line
//   silent | answer   stop / resume answering requests
//   comma on|off   answer with a decimal comma
//   garbage N      N bytes of noise, NUL bytes included, without a line end
//   raw TEXT       TEXT and a carriage return as they are
//   split on|off   send every answer in two parts 30 ms apart
//   quit
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "readout/interfaceprofile.h"
#include "readout/simulatedreadout.h"
#include "shell/settings.h"

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool g_split = false;
tarvo::MachineErrors g_errors;

// What the scales read with the stage at the true position (x, y).
void Read(long double& x, long double& y) {
    if (g_errors.Any()) {
        g_errors.Readings(x, y, x, y);
    }
}

// Sends what the simulated readout has queued (in two parts with a pause when splitting).
void Drain(tarvo::SimulatedReadout& sim, int fd) {
    char buf[4096];
    for (long n = sim.Read(buf, sizeof buf); n > 0; n = sim.Read(buf, sizeof buf)) {
        const std::string bytes(buf, static_cast<std::size_t>(n));
        if (g_split && bytes.size() > 1) {
            WriteAll(fd, bytes.substr(0, bytes.size() / 2));
            ::usleep(30000);
            WriteAll(fd, bytes.substr(bytes.size() / 2));
        } else {
            WriteAll(fd, bytes);
        }
    }
}

bool Command(const std::string& line, tarvo::SimulatedReadout& sim) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    long double x = 0;
    long double y = 0;
    if (word == "pos" && (in >> x >> y)) {
        Read(x, y);
        sim.SetReading(x, y);
    } else if (word == "push0" && (in >> x >> y)) {
        Read(x, y);
        sim.Push(sim.PushedAxisLine(1, x));
        sim.Push(sim.PushedAxisLine(2, y));
    } else if (word == "push1" && (in >> x >> y)) {
        Read(x, y);
        sim.Push(sim.TwoAxisLine(x, y));
    } else if (word == "silent") {
        sim.answering = false;
    } else if (word == "answer") {
        sim.answering = true;
    } else if (word == "comma") {
        std::string on;
        in >> on;
        sim.decimalComma = on == "on";
    } else if (word == "split") {
        std::string on;
        in >> on;
        g_split = on == "on";
    } else if (word == "garbage") {
        int n = 0;
        in >> n;
        std::mt19937 rng(static_cast<unsigned>(n));
        std::string noise;
        for (int i = 0; i < n; ++i) {
            char c = static_cast<char>(rng() % 256);
            noise += c == '\r' ? '\0' : c;
        }
        sim.Queue(noise);
    } else if (word == "raw") {
        std::string rest;
        std::getline(in, rest);
        sim.Push(rest.empty() ? rest : rest.substr(1));
    } else if (word == "quit") {
        return false;
    } else if (!word.empty()) {
        std::cerr << "tarvo-readout-sim: unknown command: " << line << '\n';
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path dir = ".";
    std::string link;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size();) {
        const int taken = tarvo::ReadMachineErrorOption(args, i, g_errors);
        if (taken < 0) {
            std::cerr << "tarvo-readout-sim: " << args[i] << " needs numbers a machine can have\n"
                      << "usage: tarvo-readout-sim [--dir DIR] [--link PATH] " << tarvo::kMachineErrorUsage << '\n';
            return 2;
        }
        if (taken > 0) {
            i += static_cast<std::size_t>(taken);
        } else if (args[i] == "--dir" && i + 1 < args.size()) {
            dir = args[i + 1];
            i += 2;
        } else if (args[i] == "--link" && i + 1 < args.size()) {
            link = args[i + 1];
            i += 2;
        } else {
            ++i;
        }
    }
    tarvo::Settings settings;
    (void)tarvo::LoadSettings(dir / tarvo::kSettingsFile, settings);
    tarvo::InterfaceProfile profile;
    (void)tarvo::LoadInterfaceProfile(dir / (settings.IfName + ".VAL"), profile);
    tarvo::SimulatedReadout sim(profile);

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::perror("tarvo-readout-sim: pseudo terminal");
        return 1;
    }
    const char* slaveName = ::ptsname(master);
    // Keep the other side open ourselves, in raw mode: bytes pass unchanged, and a program
    // closing its end does not end ours.
    const int slave = ::open(slaveName, O_RDWR | O_NOCTTY);
    termios tio{};
    if (slave >= 0 && ::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    if (!link.empty()) {
        std::filesystem::remove(link);
        std::filesystem::create_symlink(slaveName, link);
    }
    std::cout << "device: " << slaveName << std::endl;

    std::string pending;
    bool stdinOpen = true;
    for (;;) {
        pollfd fds[2] = {{master, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const int ready = ::poll(fds, stdinOpen ? 2 : 1, 1000);
        if (ready < 0 && errno != EINTR) {
            break;
        }
        if (fds[0].revents & POLLIN) {
            char buf[1024];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                sim.Write(buf, static_cast<std::size_t>(n));
            }
        }
        if (stdinOpen && (fds[1].revents & (POLLIN | POLLHUP))) {
            char buf[1024];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n <= 0) {
                stdinOpen = false;  // no more commands: keep answering requests
            } else {
                pending.append(buf, static_cast<std::size_t>(n));
                for (auto nl = pending.find('\n'); nl != std::string::npos; nl = pending.find('\n')) {
                    const std::string line = pending.substr(0, nl);
                    pending.erase(0, nl + 1);
                    if (!Command(line, sim)) {
                        if (!link.empty()) {
                            std::filesystem::remove(link);
                        }
                        return 0;
                    }
                }
            }
        }
        Drain(sim, master);
    }
    return 0;
}
