#include "CliCommon.h"
#include "channels/ChannelCsv.h"
#include "image/ProgramDoc.h"

namespace {

void AddImportCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "import",
        "Apply a channel CSV (as written by export; header by name, English or Chinese value "
        "texts) to a .dat file, cell by cell with the program's own checks. Rows and columns not "
        "listed stay; an empty value leaves its cell, except Rx (deletes the channel) and Name. "
        "Every rejected cell is reported as \"row N, column NAME: MESSAGE\"; then nothing is "
        "written and the exit code is 3.");
    auto file = std::make_shared<std::string>();
    auto csvFile = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    cmd->add_option("FILE", *file, "The .dat file.")->required();
    cmd->add_option("CSV", *csvFile, "The CSV file to read.")->required();
    cmd->add_option("-o,--output", *out, "Write the result here instead of FILE.");
    cmd->callback([&rc, file, csvFile, out] {
        CProgramDoc doc;
        if (auto opened = doc.OnOpenDocument(*file); !opened) {
            rc = Fail(kExitInvalidInput, opened.error());
            return;
        }
        const auto csv = ReadChannelsCsvFile(*csvFile);
        if (!csv) {
            rc = Fail(kExitInvalidInput, csv.error());
            return;
        }
        if (auto imported = ImportChannelsCsv(*csv, doc.m_image); !imported) {
            rc = Fail(kExitInvalidInput, imported.error(), "; nothing was written.");
            return;
        }
        auto saved = doc.OnSaveDocument(out->empty() ? *file : *out);
        rc = saved ? kExitOk : Fail(kExitFailure, saved.error());
    });
}

}  // namespace

LH740_REGISTER_COMMAND(41, AddImportCommand);
