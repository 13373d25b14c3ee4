#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "CliCommon.h"
#include "channels/ChannelTable.h"
#include "image/ProgramDoc.h"
#include "render/ReportRenderer.h"
#include "report/Report.h"
#include "settings/IniFile.h"
#include "settings/Language.h"
#include "util/Gbk.h"

namespace {

struct CReportArgs {
    std::string m_file;
    std::string m_out;
    std::string m_sections;
    CLI::Option* m_sectionsOption = nullptr;
};

std::expected<std::array<bool, kSectionCount>, std::string> ParseSections(const std::string& list) {
    std::array<bool, kSectionCount> selected{};
    // Asking for no section is not asking for the default ones.
    if (list.empty()) {
        return std::unexpected(
            "no section selected; sections are dtmf, msk, optional, 2tone, channels.");
    }
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, comma - start);
        start = comma + 1;
        int found = -1;
        for (int s = 0; s < kSectionCount; ++s) {
            if (name == ReportSectionName(s)) {
                found = s;
            }
        }
        if (found < 0) {
            return std::unexpected("unknown section \"" + name +
                                   "\"; sections are dtmf, msk, optional, 2tone, channels.");
        }
        selected[found] = true;
    }
    return selected;
}

int RunReport(const CReportArgs& args) {
    auto selected = args.m_sectionsOption->count() == 0 ? DefaultReportSelection()
                                                        : ParseSections(args.m_sections);
    if (!selected) {
        return Fail(kExitUsage, selected.error());
    }
    auto image = LoadDatFile(args.m_file);
    if (!image) {
        return Fail(kExitInvalidInput, image.error());
    }
    // The channel pages print the grid's texts; the copy keeps the file's image untouched.
    CDocumentState gridDoc{*image};
    auto table = std::make_shared<CChannelTable>(CliChinese());
    table->FillGrid(gridDoc, nullptr, CliChinese());

    // Program.ini keeps Chinese texts in GBK.
    const std::string owner =
        ProgramSettings().GetString(CliChinese() ? "Chinese" : "English", "Copyrights Owner", "");
    const CReportContext context = MakeReportContext(
        *image, [table](int row, int column) { return table->GetText(row, column); }, *selected,
        CliChinese(), GbkToUtf8(owner));
    if (context.m_plan.m_lastPage < 1) {
        return Fail(kExitInvalidInput,
                    "the selected sections have no pages (no channel is defined); nothing was "
                    "written.");
    }

    // Fonts need a GUI application; without a display the offscreen platform serves.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int argc = 1;
    char name[] = "lh740ctl";
    char* argv[] = {name, nullptr};
    // Qt's notes about the environment (no runtime directory and the like) are not ours.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "lh740ctl: %s\n", text.toLocal8Bit().constData());
        }
    });
    QGuiApplication app(argc, argv);
    auto written = WriteReportPdf(args.m_out, context);
    return written ? kExitOk : Fail(kExitFailure, written.error());
}

void AddReportCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "report", "Write the printed report of a .dat file as a PDF (A4, one page per page).");
    auto args = std::make_shared<CReportArgs>();
    cmd->add_option("FILE", args->m_file, "The .dat file.")->required();
    cmd->add_option("-o,--output", args->m_out, "The PDF file to write, or - for standard output.")
        ->required();
    args->m_sectionsOption =
        cmd->add_option("--sections", args->m_sections,
                        "Comma-separated sections in any order: dtmf, msk, optional, 2tone, "
                        "channels (default: optional,channels).");
    AddLanguageOption(cmd);
    cmd->callback([&rc, args] { rc = RunReport(*args); });
}

}  // namespace

LH740_REGISTER_COMMAND(60, AddReportCommand);
