#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "channels/ChannelTable.h"
#include "image/ProgramDoc.h"
#include "sim/SimRadio.h"
#include "support/TempDir.h"

namespace {

// lh740sim as a separate program; its first line is the pseudo-terminal to use.
class CSimProcess {
public:
    explicit CSimProcess(const std::vector<std::string>& args) {
        int out[2];
        EXPECT_EQ(::pipe(out), 0);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv{const_cast<char*>(LH740SIM_PATH)};
            for (const auto& a : args) {
                argv.push_back(const_cast<char*>(a.c_str()));
            }
            argv.push_back(nullptr);
            ::execv(LH740SIM_PATH, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        std::FILE* in = ::fdopen(out[0], "r");
        char line[256] = {};
        if (std::fgets(line, sizeof line, in) != nullptr) {
            m_path = line;
            while (!m_path.empty() && m_path.back() == '\n') {
                m_path.pop_back();
            }
        }
        std::fclose(in);
    }
    ~CSimProcess() { Stop(); }

    // Ends the simulator the way a user would; returns its exit code.
    int Stop() {
        if (m_pid <= 0) {
            return m_code;
        }
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        m_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return m_code;
    }

    std::string m_path;

private:
    pid_t m_pid = -1;
    int m_code = -1;
};

struct CRun {
    int m_code = -1;
    std::string m_err;
};

// lh740ctl with stdin not a terminal and the user values in `dir`.
CRun Ctl(const CTempDir& dir, const std::string& args) {
    const std::string cmd = "XDG_CONFIG_HOME='" + dir.Path() + "' XDG_DATA_HOME='" + dir.Path() +
                            "' " + LH740CTL_PATH + " " + args + " 2>'" + (dir / "err") +
                            "' </dev/null >/dev/null";
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(dir / "err")};
}

std::string Q(const std::string& s) {
    return "'" + s + "'";
}

bool SameRadioBytes(const std::vector<std::uint8_t>& file, const CMemoryImage& image,
                    std::size_t endAddress) {
    if (file.size() != kImageSize) {
        return false;
    }
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        auto address = RadioAddressOf(offset);
        if (address && *address < endAddress && file[offset] != image[offset]) {
            return false;
        }
    }
    return true;
}

TEST(CliLink, ReadFromTheInProcessSimulator) {
    CTempDir dir;
    const auto run = Ctl(dir, "read --port sim -o " + Q(dir / "x.dat"));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_NE(run.m_err.find("Waiting the response from radio...."), std::string::npos);
    EXPECT_TRUE(SameRadioBytes(ReadAll(dir / "x.dat"), SimDefaultImage(), kRadioSize));
}

// A trace is never written over the command's own .dat file, however the path is spelt.
TEST(CliLink, TraceOverTheDocumentIsRefused) {
    CTempDir dir;
    ASSERT_EQ(Ctl(dir, "new " + Q(dir / "doc.dat")).m_code, 0);
    const std::string before = ReadText(dir / "doc.dat");
    const std::string commands[] = {
        "read --port sim -o " + Q(dir / "out.dat") + " --trace " + Q(dir / "out.dat"),
        "read --port sim -o " + Q(dir / "out.dat") + " --base " + Q(dir / "doc.dat") + " --trace " +
            Q(dir.Path() + "/./doc.dat"),
        "write --yes --port sim " + Q(dir / "doc.dat") + " --trace " + Q(dir / "doc.dat"),
    };
    for (const std::string& command : commands) {
        const auto run = Ctl(dir, command);
        EXPECT_EQ(run.m_code, 2) << command;
        EXPECT_NE(run.m_err.find("choose another file for --trace"), std::string::npos)
            << run.m_err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.dat"));
        EXPECT_EQ(ReadText(dir / "doc.dat"), before);
    }
}

// A hang-up ends a transfer as Ctrl+C and kill do: cancelled, nothing written, and the port
// released, so the next read of the same port works.
TEST(CliLink, SignalsCancelAndReleaseThePort) {
    CTempDir dir;
    CSimProcess sim({"--latency", "8"});
    ASSERT_FALSE(sim.m_path.empty());
    for (const char* signal : {"INT", "TERM", "HUP"}) {
        const std::string out = dir / "out.dat";
        const std::string cmd =
            "XDG_CONFIG_HOME=" + Q(dir.Path()) + " XDG_DATA_HOME=" + Q(dir.Path()) + " " +
            LH740CTL_PATH + " read --quiet --port " + Q(sim.m_path) + " -o " + Q(out) + " 2>" +
            Q(dir / "err") + " </dev/null >/dev/null & p=$!; sleep 0.5; kill -" + signal +
            " $p; wait $p";
        const int status = std::system(cmd.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 6) << signal;
        EXPECT_FALSE(std::filesystem::exists(out)) << signal;
    }
    const auto run = Ctl(dir, "read --quiet --port " + Q(sim.m_path) + " -o " + Q(dir / "ok.dat"));
    EXPECT_EQ(run.m_code, 0) << run.m_err;
}

// A radio that answers each request 16 ms late, as a USB adapter left at its default latency
// timer makes it: the read completes with the radio's bytes.
TEST(CliLink, LateAnswersStillRead) {
    CTempDir dir;
    CSimProcess sim({"--latency", "16", "--once"});
    ASSERT_FALSE(sim.m_path.empty());
    const auto run =
        Ctl(dir, "read --quiet --port " + Q(sim.m_path) + " -o " + Q(dir / "late.dat"));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_TRUE(SameRadioBytes(ReadAll(dir / "late.dat"), SimDefaultImage(), kRadioSize));
}

TEST(CliLink, ReadAndWriteAgainstLh740sim) {
    CTempDir dir;
    // The radio holds a document whose channel 1 differs from the demo data.
    CMemoryImage radioImage = SimDefaultImage();
    radioImage[0] = 0x25;
    ASSERT_TRUE(SaveDatFile(dir / "radio.dat", radioImage));
    {
        CSimProcess sim({"--image", dir / "radio.dat", "--once"});
        ASSERT_FALSE(sim.m_path.empty());
        const auto run = Ctl(dir, "read --quiet --port " + Q(sim.m_path) + " -o " +
                                      Q(dir / "out.dat") + " --trace " + Q(dir / "trace.txt"));
        ASSERT_EQ(run.m_code, 0) << run.m_err;
        EXPECT_TRUE(run.m_err.empty()) << run.m_err;
        EXPECT_TRUE(SameRadioBytes(ReadAll(dir / "out.dat"), radioImage, kRadioSize));
        const std::string trace = ReadText(dir / "trace.txt");
        EXPECT_NE(trace.find("> 02\n"), std::string::npos);
        EXPECT_NE(trace.find("< 57 0F F8 08"), std::string::npos);  // the last block's reply
    }
    {
        // Write a new document: the radio ends up with its bytes except the band and squelch row.
        ASSERT_EQ(Ctl(dir, "new " + Q(dir / "new.dat")).m_code, 0);
        CSimProcess sim({"--image", dir / "radio.dat", "--save", dir / "saved.dat"});
        const auto run =
            Ctl(dir, "write --quiet --port " + Q(sim.m_path) + " " + Q(dir / "new.dat"));
        ASSERT_EQ(run.m_code, 0) << run.m_err;
        EXPECT_EQ(sim.Stop(), 0);
        const auto saved = ReadAll(dir / "saved.dat");
        auto written = LoadDatFile(dir / "new.dat");
        ASSERT_TRUE(written);
        // What goes out is the document as the channel grid stores it.
        CChannelTable table(false);
        CDocumentState writtenDoc{*written};
        table.FillGrid(writtenDoc, nullptr, false);
        table.StoreGrid(writtenDoc);
        *written = writtenDoc.m_image;
        EXPECT_TRUE(SameRadioBytes(saved, *written, 0x0FF0));
        ASSERT_EQ(saved.size(), kImageSize);
        for (std::size_t offset = 6120; offset < 6136; ++offset) {
            EXPECT_EQ(saved[offset], radioImage[offset]) << offset;
        }
    }
}

TEST(CliLink, WriteIsVerifiedAndBackupsAreKept) {
    CTempDir dir;
    ASSERT_EQ(Ctl(dir, "new " + Q(dir / "doc.dat")).m_code, 0);
    const std::string channel5 = std::to_string(*RadioAddressOf(4 * 24 + 1));
    struct CCase {
        std::vector<std::string> m_sim;
        std::string m_options;
        int m_code;
        std::string m_message;
    };
    const CCase cases[] = {
        {{"--fault", "corrupt-write=" + channel5}, "", 5, "channel 5 (Receive Frequency)"},
        {{"--fault", "corrupt-write=" + channel5}, "--lang zh", 5, "信道 5（接收频率）"},
        {{"--fault", "corrupt-write=" + channel5}, "--no-verify", 0, ""},
        {{}, "", 0, ""},
    };
    for (const auto& c : cases) {
        CSimProcess sim(c.m_sim);
        const auto run = Ctl(dir, "write --quiet " + c.m_options + " --port " + Q(sim.m_path) +
                                      " " + Q(dir / "doc.dat"));
        EXPECT_EQ(run.m_code, c.m_code) << c.m_options << "\n" << run.m_err;
        EXPECT_NE(run.m_err.find(c.m_message), std::string::npos) << run.m_err;
    }
    {
        CSimProcess sim({});
        ASSERT_EQ(
            Ctl(dir, "read --quiet --port " + Q(sim.m_path) + " -o " + Q(dir / "r.dat")).m_code, 0);
    }
    const std::string cmd = "XDG_DATA_HOME='" + dir.Path() + "' " + LH740CTL_PATH + " backups >'" +
                            (dir / "list") + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string list = ReadText(dir / "list");
    // Newest first: the read, then the four writes' copies.
    const auto read = list.find("-read.dat ");
    const auto write = list.find("-before-write.dat ");
    ASSERT_NE(read, std::string::npos) << list;
    ASSERT_NE(write, std::string::npos) << list;
    EXPECT_LT(read, write);
    EXPECT_NE(list.find("6144  before write"), std::string::npos) << list;
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 6) << list;
}

TEST(CliLink, FailuresHaveTheirExitCodesAndWriteNothing) {
    CTempDir dir;
    ASSERT_EQ(Ctl(dir, "new " + Q(dir / "doc.dat")).m_code, 0);
    const auto doc = ReadAll(dir / "doc.dat");
    struct CCase {
        std::vector<std::string> m_sim;
        std::string m_command;  // PORT and OUT are replaced
        int m_code;
        std::string m_message;
    };
    const CCase cases[] = {
        {{"--fault", "wrong-model"}, "read --port PORT -o OUT", 5, "type of radio does not"},
        {{"--password", "123456"}, "read --port PORT -o OUT", 5, "Password Error!"},
        {{"--fault", "short-reply=17"}, "read --port PORT -o OUT", 5, "Program Interrupt"},
        {{"--fault", "hangup=3"}, "read --port PORT -o OUT", 5, "hung up"},
        {{"--fault", "no-confirm"}, "read --retries 2 --port PORT -o OUT", 5, "retrying (2 of 2)"},
        {{"--band", "400-470"}, "write --port PORT DOC", 6, "over the range of the radio"},
        // The message, then the port and the reason on a line of their own.
        {{},
         "read --port " + Q(dir / "missing-port") + " -o OUT",
         4,
         "Could not Open the Port, Please check whether the Port are occupied or the device are "
         "ok\n" +
             (dir / "missing-port") + ": no such device.\n"},
        {{}, "read -o OUT", 2, "no port given"},
        {{}, "read --port PORT --base " + Q(dir / "missing.dat") + " -o OUT", 3, "missing.dat"},
    };
    for (const auto& c : cases) {
        CSimProcess sim(c.m_sim);
        std::string command = c.m_command;
        auto replace = [&](const std::string& what, const std::string& with) {
            if (auto at = command.find(what); at != std::string::npos) {
                command.replace(at, what.size(), with);
            }
        };
        replace("PORT", Q(sim.m_path));
        replace("OUT", Q(dir / "out.dat"));
        replace("DOC", Q(dir / "doc.dat"));
        const auto run = Ctl(dir, command);
        EXPECT_EQ(run.m_code, c.m_code) << command << "\n" << run.m_err;
        EXPECT_NE(run.m_err.find(c.m_message), std::string::npos) << command << "\n" << run.m_err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.dat")) << command;
        EXPECT_EQ(ReadAll(dir / "doc.dat"), doc);
    }
}

TEST(CliLink, SquelchReadAndWriteAndRememberedPort) {
    CTempDir dir;
    ASSERT_EQ(Ctl(dir, "new " + Q(dir / "doc.dat")).m_code, 0);
    CMemoryImage radioImage = SimDefaultImage();
    radioImage[6126] = 0x40;
    radioImage[6129] = 0x50;
    ASSERT_TRUE(SaveDatFile(dir / "radio.dat", radioImage));
    CSimProcess sim({"--image", dir / "radio.dat", "--save", dir / "saved.dat"});
    ASSERT_EQ(Ctl(dir, "ports --remember " + Q(sim.m_path)).m_code, 0);

    auto run = Ctl(dir, "squelch read " + Q(dir / "doc.dat"));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_NE(run.m_err.find("Read Successfully"), std::string::npos);
    auto doc = ReadAll(dir / "doc.dat");
    auto expected = CMemoryImage::NewDocument();
    expected[6126] = 0x40;
    expected[6129] = 0x50;
    EXPECT_TRUE(std::equal(doc.begin(), doc.end(), expected.m_bytes.begin()));

    // Out-of-range bytes go as the dialog would store them: the default.
    doc[6127] = 0x05;
    doc[6128] = 0x76;
    WriteAllBytes(dir / "doc.dat", doc);
    run = Ctl(dir, "squelch write --quiet " + Q(dir / "doc.dat"));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(sim.Stop(), 0);
    const auto saved = ReadAll(dir / "saved.dat");
    ASSERT_EQ(saved.size(), kImageSize);
    EXPECT_EQ(saved[6126], 0x40);
    EXPECT_EQ(saved[6127], 0x27);
    EXPECT_EQ(saved[6128], 0x76);
    EXPECT_EQ(saved[6129], 0x50);
    EXPECT_EQ(ReadAll(dir / "doc.dat"), doc);  // a write leaves the file alone
}

TEST(CliLink, PortsListsTheSimulatorAndTheRememberedPort) {
    CTempDir dir;
    ASSERT_EQ(Ctl(dir, "ports --remember /dev/ttyUSB7").m_code, 0);
    const std::string cmd =
        "XDG_CONFIG_HOME='" + dir.Path() + "' " + LH740CTL_PATH + " ports >'" + (dir / "out") + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string out = ReadText(dir / "out");
    EXPECT_NE(out.find("sim"), std::string::npos) << out;
    EXPECT_NE(out.find("Remembered port: /dev/ttyUSB7"), std::string::npos) << out;
}

}  // namespace
