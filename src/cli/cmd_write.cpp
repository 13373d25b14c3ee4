#include <cstdio>

#include "CliCommon.h"
#include "ConsoleEvents.h"
#include "LinkOptions.h"
#include "channels/Bands.h"
#include "channels/ChannelTable.h"
#include "editors/WriteCheck.h"
#include "image/ProgramDoc.h"
#include "settings/UserValues.h"
#include "sim/PortFactory.h"

namespace {

struct CWriteArgs {
    CConsoleLinkOptions m_link;
    std::string m_file;
    bool m_bNoVerify = false;
};

void AddWriteCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand("write", "Write a .dat file to the radio.");
    auto args = std::make_shared<CWriteArgs>();
    cmd->add_option("FILE", args->m_file, "The .dat file to send.")->required();
    cmd->add_flag("--yes", args->m_link.m_bYes,
                  "Answer OK when the document's bands lie outside the radio's band (otherwise "
                  "asked on a terminal, or Cancel).");
    cmd->add_flag("--no-verify", args->m_bNoVerify,
                  "Do not read the radio back after the write to check what it stored.");
    AddLinkOptions(cmd, args->m_link);
    cmd->callback([&rc, args] {
        CProgramDoc doc;
        if (auto opened = doc.OnOpenDocument(args->m_file); !opened) {
            rc = Fail(kExitInvalidInput, opened.error());
            return;
        }
        args->m_link.m_keep = {args->m_file};
        CConsoleLink link;
        std::string error;
        if (!link.Prepare(args->m_link, ProgramUserValues().GetString("com"), MakeSerialPort,
                          error)) {
            rc = Fail(kExitUsage, error);
            return;
        }
        // The grid as the desktop program would hold it for this file: its store decides the
        // bytes sent and the band limits the radio is checked against.
        CChannelTable table(false);
        table.FillGrid(doc, nullptr, false);
        CTransferHooks hooks;
        hooks.m_bandLimits = [&] { return doc.m_bands; };
        hooks.m_storeGrid = [&] {
            table.StoreGrid(doc);
            TakeBackup(EBackupKind::BeforeWrite, doc.m_image);
        };
        const CTransferResult result =
            RunTransfer(ETransferDirection::Write, link.Port(), link.PortName(), doc.m_image,
                        link.Events(), hooks);
        if (!result.Ok() || args->m_bNoVerify) {
            link.Events().Finish();
            rc = result.Ok()
                     ? kExitOk
                     : Fail(TransferExitCode(result.m_outcome), CConsoleLink::Describe(result));
            return;
        }
        // The read-back starts from the document so the password and the bytes the radio
        // does not hold match.
        CMemoryImage readBack = doc.m_image;
        const CTransferResult verify =
            RunTransfer(ETransferDirection::Read, link.Port(), link.PortName(), readBack,
                        link.Events(), CTransferHooks{});
        link.Events().Finish();
        if (!verify.Ok()) {
            rc = Fail(TransferExitCode(verify.m_outcome), CConsoleLink::Describe(verify));
            return;
        }
        const auto differences = CompareWrittenBytes(doc.m_image, readBack);
        if (differences.empty()) {
            rc = kExitOk;
            return;
        }
        const bool chinese = CliChinese();
        for (const CWriteDifference& d : differences) {
            char line[160];
            std::snprintf(line, sizeof line,
                          chinese ? "地址 %04X：写入 %02X，读回 %02X"
                                  : "address %04X: wrote %02X, read back %02X",
                          d.m_address, d.m_sent, d.m_readBack);
            std::fprintf(stderr, "%s: %s\n", d.m_place.Get(chinese).c_str(), line);
        }
        rc = Fail(kExitCommunication,
                  CError(CTexts{"the radio does not hold what was written (" +
                                    std::to_string(differences.size()) + " of the bytes differ).",
                                "电台中的数据与写入的不同（" + std::to_string(differences.size()) +
                                    " 个字节）。"}));
    });
}

}  // namespace

LH740_REGISTER_COMMAND(210, AddWriteCommand);
