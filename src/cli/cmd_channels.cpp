#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "CliCommon.h"
#include "channels/ChannelTable.h"
#include "image/ProgramDoc.h"
#include "util/Text.h"

namespace {

// Terminal columns of a UTF-8 text: East Asian characters take two.
std::size_t DisplayWidth(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t len = 1;
        char32_t cp = c;
        if (c >= 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else if (c >= 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xC0) {
            len = 2;
            cp = c & 0x1F;
        }
        for (std::size_t k = 1; k < len && i + k < text.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        width += (cp >= 0x1100 && (cp <= 0x115F || cp >= 0x2E80)) ? 2 : 1;
        i += len;
    }
    return width;
}

void AddChannelsCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "channels",
        "Print the channel grid of a .dat file as the program shows it: the headings, then one "
        "line per channel (1 to 128, Fr), columns aligned.");
    auto file = std::make_shared<std::string>();
    cmd->add_option("FILE", *file, "The .dat file.")->required();
    AddLanguageOption(cmd);
    cmd->callback([&rc, file] {
        auto image = LoadDatFile(*file);
        if (!image) {
            rc = Fail(kExitInvalidInput, image.error());
            return;
        }
        // An opened file is not a new document: its own model and band bytes count.
        CDocumentState doc{*image};
        CChannelTable table(CliChinese());
        table.FillGrid(doc, nullptr, CliChinese());
        std::vector<std::size_t> widths(kGridColumns, 0);
        for (int row = 0; row < kGridRows; ++row) {
            for (int column = 0; column < kGridColumns; ++column) {
                widths[column] = std::max(widths[column], DisplayWidth(table.GetText(row, column)));
            }
        }
        for (int row = 0; row < kGridRows; ++row) {
            std::string line;
            for (int column = 0; column < kGridColumns; ++column) {
                const std::string& text = table.GetText(row, column);
                line += text;
                if (column + 1 < kGridColumns) {
                    line.append(widths[column] - DisplayWidth(text) + 2, ' ');
                }
            }
            while (!line.empty() && line.back() == ' ') {
                line.pop_back();
            }
            std::printf("%s\n", Printable(line).c_str());
        }
        rc = kExitOk;
    });
}

}  // namespace

LH740_REGISTER_COMMAND(30, AddChannelsCommand);
