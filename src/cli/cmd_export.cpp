#include "CliCommon.h"
#include "channels/ChannelCsv.h"
#include "channels/CommonChannelCsv.h"
#include "image/ProgramDoc.h"
#include "util/File.h"

namespace {

void AddExportCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "export",
        "Write the channels of a .dat file as CSV (UTF-8, RFC 4180): a header line, then the "
        "129 rows 1 to 128 and Fr with the grid's English texts and the Channel Edit numbers. "
        "With --format chirp, the common channel CSV that other programming tools read: one row "
        "per channel 1 to 128 that is not empty (no Fr), power as High or Low.");
    auto file = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("grid");
    cmd->add_option("FILE", *file, "The .dat file.")->required();
    cmd->add_option("OUT", *out,
                    "The CSV file to write (replaced atomically), or - for standard output.")
        ->required();
    cmd->add_option("--format", *format,
                    "grid (the default): the grid's columns; chirp: the common channel CSV.")
        ->check(CLI::IsMember({"grid", "chirp"}));
    cmd->callback([&rc, file, out, format] {
        auto image = LoadDatFile(*file);
        if (!image) {
            rc = Fail(kExitInvalidInput, image.error());
            return;
        }
        const auto written = *format == "chirp" ? WriteCommonCsvFile(*image, *out)
                                                : WriteChannelsCsvFile(*image, *out);
        rc = written ? kExitOk : Fail(kExitFailure, written.error());
    });
}

}  // namespace

LH740_REGISTER_COMMAND(40, AddExportCommand);
