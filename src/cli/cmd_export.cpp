#include "CliCommon.h"
#include "channels/ChannelCsv.h"
#include "image/ProgramDoc.h"
#include "util/File.h"

namespace {

void AddExportCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "export",
        "Write the channels of a .dat file as CSV (UTF-8, RFC 4180): a header line, then the "
        "129 rows 1 to 128 and Fr with the grid's English texts and the Channel Edit numbers.");
    auto file = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    cmd->add_option("FILE", *file, "The .dat file.")->required();
    cmd->add_option("OUT", *out,
                    "The CSV file to write (replaced atomically), or - for standard output.")
        ->required();
    cmd->callback([&rc, file, out] {
        auto image = LoadDatFile(*file);
        if (!image) {
            rc = Fail(kExitInvalidInput, image.error());
            return;
        }
        const auto written = WriteChannelsCsvFile(*image, *out);
        rc = written ? kExitOk : Fail(kExitFailure, written.error());
    });
}

}  // namespace

LH740_REGISTER_COMMAND(40, AddExportCommand);
