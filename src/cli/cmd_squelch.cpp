#include "CliCommon.h"
#include "ConsoleEvents.h"
#include "LinkOptions.h"
#include "editors/SettingsFields.h"
#include "image/ProgramDoc.h"
#include "settings/UserValues.h"
#include "sim/PortFactory.h"

namespace {

struct CSquelchArgs {
    CConsoleLinkOptions m_link;
    std::string m_file;
};

void AddSquelchOptions(CLI::App* cmd, CSquelchArgs& args) {
    cmd->add_option("FILE", args.m_file, "The .dat file whose four squelch bytes move.")
        ->required();
    AddLinkOptions(cmd, args.m_link);
}

void RunSquelch(bool write, const CSquelchArgs& args, int& rc) {
    auto image = LoadDatFile(args.m_file);
    if (!image) {
        rc = Fail(kExitInvalidInput, image.error());
        return;
    }
    if (auto writable = CheckWritableTarget(args.m_file); !write && !writable) {
        rc = Fail(kExitFailure, writable.error());
        return;
    }
    CConsoleLinkOptions linkOptions = args.m_link;
    linkOptions.m_keep = {args.m_file};
    CConsoleLink link;
    std::string error;
    if (!link.Prepare(linkOptions, ProgramUserValues().GetString("com"), MakeSerialPort, error)) {
        rc = Fail(kExitUsage, error);
        return;
    }
    CTransferResult result;
    if (write) {
        // The bytes go as the dialog's lists would store them: one no entry stands for is
        // sent as the list's default.
        result = WriteSquelch(link.Port(), link.PortName(), *image, link.Events(), [&] {
            for (const CField* field : PageFields(EPage::kSquelch)) {
                StoreField(*field, *image, LoadField(*field, *image, false));
            }
        });
    } else {
        result = ReadSquelch(link.Port(), link.PortName(), *image, link.Events());
    }
    link.Events().Finish();
    if (!result.Ok()) {
        rc = Fail(TransferExitCode(result.m_outcome), CConsoleLink::Describe(result));
        return;
    }
    if (!write) {
        auto saved = SaveDatFile(args.m_file, *image);
        if (!saved) {
            rc = Fail(kExitFailure, saved.error());
            return;
        }
    }
    if (!args.m_link.m_bQuiet) {
        std::fprintf(stderr, "%s\n", result.m_message.c_str());
    }
    rc = kExitOk;
}

void AddSquelchCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand("squelch", "Move the squelch tuning values with the radio.");
    cmd->require_subcommand(1);
    auto readArgs = std::make_shared<CSquelchArgs>();
    auto writeArgs = std::make_shared<CSquelchArgs>();
    auto* read = cmd->add_subcommand("read", "Read the radio's four values into FILE.");
    AddSquelchOptions(read, *readArgs);
    read->callback([&rc, readArgs] { RunSquelch(false, *readArgs, rc); });
    auto* write = cmd->add_subcommand("write", "Send FILE's four values to the radio.");
    AddSquelchOptions(write, *writeArgs);
    write->callback([&rc, writeArgs] { RunSquelch(true, *writeArgs, rc); });
}

}  // namespace

LH740_REGISTER_COMMAND(220, AddSquelchCommand);
