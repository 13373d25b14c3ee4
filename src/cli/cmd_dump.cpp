#include <cstdio>

#include "CliCommon.h"
#include "image/ProgramDoc.h"

namespace {

void AddDumpCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "dump",
        "Print the image of a .dat file, one line per row: row number, image offset of the "
        "row's first byte (decimal), its radio address (hex, ---- when not held by the radio), "
        "then the 24 bytes in hex.");
    auto file = std::make_shared<std::string>();
    cmd->add_option("FILE", *file, "The .dat file to dump.")->required();
    cmd->callback([&rc, file] {
        auto image = LoadDatFile(*file);
        if (!image) {
            rc = Fail(kExitInvalidInput, image.error());
            return;
        }
        for (int row = 0; row < static_cast<int>(kRowCount); ++row) {
            const std::size_t offset = row * kRowSize;
            char radio[8] = "----";
            if (auto address = RadioAddressOf(offset)) {
                std::snprintf(radio, sizeof radio, "%04X", *address);
            }
            std::printf("%3d %5zu %s ", row, offset, radio);
            for (std::uint8_t b : image->Row(row)) {
                std::printf(" %02X", b);
            }
            std::printf("\n");
        }
        rc = kExitOk;
    });
}

}  // namespace

LH740_REGISTER_COMMAND(20, AddDumpCommand);
