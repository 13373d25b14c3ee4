#include "CliCommon.h"
#include "ConsoleEvents.h"
#include "LinkOptions.h"
#include "image/ProgramDoc.h"
#include "settings/UserValues.h"
#include "sim/PortFactory.h"

namespace {

struct CReadArgs {
    CConsoleLinkOptions m_link;
    std::string m_out;
    std::string m_base;
    std::string m_password;
};

void AddReadCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand("read", "Read the radio into a .dat file.");
    auto args = std::make_shared<CReadArgs>();
    cmd->add_option("-o,--output", args->m_out, "The .dat file to write on success.")->required();
    cmd->add_option("--base", args->m_base,
                    "Document that supplies the bytes the radio does not hold and the password "
                    "(default: a new document).");
    cmd->add_option("--password", args->m_password,
                    "The radio's password (up to 6 characters), instead of the base document's.");
    AddLinkOptions(cmd, args->m_link);
    cmd->callback([&rc, args] {
        CProgramDoc doc;
        if (args->m_base.empty()) {
            doc.OnNewDocument(ProgramSettings());
        } else if (auto opened = doc.OnOpenDocument(args->m_base); !opened) {
            rc = Fail(kExitInvalidInput, opened.error());
            return;
        }
        if (args->m_password.size() > 6) {
            rc = Fail(kExitInvalidInput, "the password has at most 6 characters.");
            return;
        }
        if (!args->m_password.empty()) {
            for (std::size_t i = 0; i < kPasswordLength; ++i) {
                doc.m_image[kPasswordOffset + i] =
                    i < args->m_password.size() ? static_cast<std::uint8_t>(args->m_password[i])
                                                : 0xFF;
            }
        }
        // A read takes a minute; an output that will be refused is refused first.
        if (auto writable = CheckWritableTarget(args->m_out); !writable) {
            rc = Fail(kExitFailure, writable.error());
            return;
        }
        args->m_link.m_keep = {args->m_out, args->m_base};
        CConsoleLink link;
        std::string error;
        if (!link.Prepare(args->m_link, ProgramUserValues().GetString("com"), MakeSerialPort,
                          error)) {
            rc = Fail(kExitUsage, error);
            return;
        }
        // No grid is kept, and the per-user model value is the desktop program's business: the
        // bytes read are saved as they came.
        const CTransferResult result =
            RunTransfer(ETransferDirection::Read, link.Port(), link.PortName(), doc.m_image,
                        link.Events(), CTransferHooks{});
        link.Events().Finish();
        if (!result.Ok()) {
            rc = Fail(TransferExitCode(result.m_outcome), CConsoleLink::Describe(result));
            return;
        }
        TakeBackup(EBackupKind::Read, doc.m_image);
        auto saved = SaveDatFile(args->m_out, doc.m_image);
        rc = saved ? kExitOk : Fail(kExitFailure, saved.error());
    });
}

}  // namespace

LH740_REGISTER_COMMAND(200, AddReadCommand);
