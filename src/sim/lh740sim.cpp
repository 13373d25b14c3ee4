// lh740sim: a simulated LH-740 on a pseudo-terminal, for tests, demos and training.
#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <iostream>

#include "image/ProgramDoc.h"
#include "sim/SimServer.h"

namespace {

int g_stopPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_stopPipe[1], &byte, 1);
}

bool ParseBand(const std::string& text, int& low, int& high) {
    unsigned lo = 0;
    unsigned hi = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%u-%u%c", &lo, &hi, &tail) != 2 || lo > 999 || hi > 999 ||
        lo > hi) {
        return false;
    }
    low = static_cast<int>(lo);
    high = static_cast<int>(hi);
    return true;
}

int Fail(const std::string& message) {
    std::cerr << "lh740sim: " << message << "\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "lh740sim: a simulated Vornex LH-740 on a pseudo-terminal. Prints the terminal's path "
        "as the first line, then serves transfers until interrupted."};
    std::string imageFile;
    std::string model = "V";
    std::string band;
    std::string password;
    bool pace = false;
    int latency = 0;
    std::vector<std::string> faults;
    std::string saveFile;
    bool once = false;
    app.add_option("--image", imageFile, "Radio memory from this .dat file (default: demo data).");
    app.add_option("--model", model, "Model letter of the identification (default V).");
    app.add_option("--band", band, "Radio band in MHz, LOW-HIGH (default 136-174).");
    app.add_option("--password", password, "Radio password, up to 6 digits (default none).");
    app.add_flag("--pace", pace, "Hold both directions to the time of 9600 baud 8N1.");
    app.add_option("--latency", latency, "Delay each answer by MS milliseconds.")
        ->check(CLI::Range(0, 10000));
    app.add_option("--fault", faults,
                   "silent, wrong-model, no-confirm, nak-wakeup=N, drop-ack=BLOCK, "
                   "short-reply=BLOCK, hangup=BLOCK (BLOCK = radio address / 8), "
                   "corrupt-write=ADDRESS (a write stores a wrong byte there).");
    app.add_option("--save", saveFile,
                   "Write the radio memory as a .dat after every completed write and on exit.");
    app.add_flag("--once", once, "End after one transfer.");
    CLI11_PARSE(app, argc, argv);

    CSimRadio radio;
    CMemoryImage base = SimDefaultImage();
    if (!imageFile.empty()) {
        auto loaded = LoadDatFile(imageFile);
        if (!loaded) {
            return Fail(loaded.error().Text(false));
        }
        base = *loaded;
        radio.m_memory = ImageToRadio(base);
    }
    if (model.size() != 1) {
        return Fail("--model takes one letter.");
    }
    radio.m_modelLetter = model[0];
    if (!band.empty() && !ParseBand(band, radio.m_bandLowMHz, radio.m_bandHighMHz)) {
        return Fail("--band takes LOW-HIGH in whole MHz (0 to 999), for example 400-470.");
    }
    if (!password.empty() && !radio.SetPassword(password)) {
        return Fail("--password takes at most 6 characters.");
    }
    for (const auto& text : faults) {
        std::string error;
        if (!ParseSimFault(text, radio.m_faults, error)) {
            return Fail(error);
        }
    }

    if (::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return Fail("cannot create a pipe.");
    }
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);

    auto save = [&] {
        if (saveFile.empty()) {
            return true;
        }
        CMemoryImage image = base;
        RadioToImage(radio.m_memory, image);
        auto saved = SaveDatFile(saveFile, image);
        if (!saved) {
            std::cerr << "lh740sim: " << saved.error().Text(false) << "\n";
        }
        return saved.has_value();
    };

    CSimPtyServer server(radio, CSimTiming{pace, latency});
    std::string error;
    if (!server.Create(error)) {
        return Fail(error);
    }
    std::printf("%s\n", server.SlavePath().c_str());
    std::fflush(stdout);

    const auto end = server.Serve(g_stopPipe[0], once, save);
    const bool saved = save();
    if (end == CSimPtyServer::EEnd::Error) {
        return Fail("the pseudo-terminal failed.");
    }
    return saved ? 0 : 1;
}
