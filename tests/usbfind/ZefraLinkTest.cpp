#include "tests/usbfind/ProcessRun.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

const std::string kModelQuery = "\\e.C31;9:";

// ---------------------------------------------------------------------------------------
// Finding the plotter

TEST(ZefraLinkFind, FindsAndOpensOnePlotter) {
    const ProcessResult run = RunProbe({"--model", "RX3600-60"},
                                       {"check", "Morvalin", "RX3600", "query", "Morvalin",
                                        "RX3600", kModelQuery, "open", "1", "Morvalin", "RX3600"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.Lines(), (Lines{"check 1", "reply RX3600-60,V1.20\\x03", "open ok"}));
}

TEST(ZefraLinkFind, FirstMatchInNumberOrderWins) {
    // lp2 and lp10 both match. Directory order or name order would put lp10 first.
    std::vector<std::string> options;
    for (int i = 0; i <= 10; ++i) {
        const bool match = i == 2 || i == 10;
        options.insert(options.end(),
                       {"--model", match ? (i == 2 ? "RX3600-40" : "RX3600-120") : "RX3600-60"});
        if (!match) {
            options.insert(options.end(), {"--vendor-id", "1234"});
        }
    }
    const ProcessResult run = RunProbe(
        options, {"check", "Morvalin", "RX3600", "query", "Morvalin", "RX3600", kModelQuery});
    EXPECT_EQ(run.Lines(), (Lines{"check 1", "reply RX3600-40,V1.20\\x03"}));
}

TEST(ZefraLinkFind, TwoFamiliesAreFoundAndOpenedEachByItsModel) {
    const ProcessResult run =
        RunProbe({"--model", "WX8800-130", "--model", "Nimbo Pro S"},
                 {"check", "Morvalin", "WX8800", "check", "Morvalin", "RX3600-40-NP", "check",
                  "Morvalin", "RX2400-40-NP", "query", "Morvalin", "RX3600-40-NP", kModelQuery,
                  "query", "Morvalin", "WX8800", kModelQuery});
    EXPECT_EQ(run.Lines(), (Lines{"check 1", "check 1", "check 0", "reply Nimbo Pro S,V1.20\\x03",
                                  "reply WX8800-130,V1.20\\x03"}));
}

struct DeviceIdCase {
    const char* why;
    std::string deviceId;
    const char* expected;
};

TEST(ZefraLinkFind, ReadsManufacturerAndModelFromTheDeviceId) {
    const std::string huge(600, 'Z');
    // The keys count wherever they lie within the 512 bytes read, up to the last one.
    const std::string maker = "MANUFACTURER:Morvalin;";
    const std::string model = "MODEL:WX8800;";
    const auto filler = [&](std::size_t total) {
        return std::string(total - maker.size() - model.size(), 'Z');
    };
    const DeviceIdCase cases[] = {
        {"letter case is free", "MANUFACTURER:MORVALIN;MODEL:wx8800;CLASS:PRINTER;", "check 1"},
        {"values end at ';'", "CLASS:PRINTER;MANUFACTURER:Morvalin;MODEL:WX8800;DES:x;", "check 1"},
        {"a longer model is another model", "MANUFACTURER:Morvalin;MODEL:WX8800-X;", "check 0"},
        {"a longer manufacturer is another one", "MANUFACTURER:Morvalin Inc;MODEL:WX8800;",
         "check 0"},
        {"other manufacturer", "MANUFACTURER:Other;MODEL:WX8800;", "check 0"},
        {"short key forms are not read", "MFG:Morvalin;MDL:WX8800;", "check 0"},
        {"no ';' after the model", "MANUFACTURER:Morvalin;MODEL:WX8800", "check 0"},
        {"no ';' at all", "MANUFACTURER:Morvalin MODEL:WX8800", "check 0"},
        {"no ';' after the manufacturer", "MANUFACTURER:Morvalin", "check 0"},
        {"the ID ends at a zero byte", "MANUFACTURER:Morvalin;\\0MODEL:WX8800;", "check 0"},
        {"binary bytes around the keys", "\\x01\\xff;MANUFACTURER:Morvalin;MODEL:WX8800;\\xfe",
         "check 1"},
        {"keys beyond the 512 bytes read", huge + "MANUFACTURER:Morvalin;MODEL:WX8800;", "check 0"},
        {"keys ending at the last byte read", filler(512) + maker + model, "check 1"},
        {"keys ending one byte beyond", filler(513) + maker + model, "check 0"},
        {"model ending at the last byte read", maker + filler(512) + model, "check 1"},
        {"manufacturer ending at the last byte read", model + filler(512) + maker, "check 1"},
        {"manufacturer ending one byte beyond", model + filler(513) + maker, "check 0"},
    };
    for (const DeviceIdCase& c : cases) {
        const ProcessResult run = RunProbe({"--model", "WX8800-60", "--device-id", c.deviceId},
                                           {"check", "Morvalin", "WX8800"});
        EXPECT_EQ(run.exitCode, 0) << c.why;
        EXPECT_EQ(run.Lines(), Lines{c.expected}) << c.why;
    }
}

TEST(ZefraLinkFind, HugeDeviceIdIsReadSafely) {
    const ProcessResult run =
        RunProbe({"--model", "WX8800-60", "--huge-device-id"},
                 {"check", "Morvalin", "WX8800", "query", "Morvalin", "WX8800", kModelQuery});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.Lines(), (Lines{"check 1", "reply WX8800-60,V1.20\\x03"}));
}

TEST(ZefraLinkFind, AnotherVendorIsNotMatched) {
    const ProcessResult run =
        RunProbe({"--model", "WX8800-60", "--vendor-id", "7a6e"},
                 {"check", "Morvalin", "WX8800", "open", "0", "Morvalin", "WX8800"});
    EXPECT_EQ(run.Lines(), (Lines{"check 0", "open -1 errno 2"}));
}

TEST(ZefraLinkFind, DevicePathMustLeaveRoomForThePipeSuffix) {
    // "/dev/" + name: 255 characters and the four-character suffix fill the 260-character
    // buffer with its terminating zero; one more character does not fit.
    const std::string dir = "usb/" + std::string(120, 'a') + "/";
    const std::string fits = dir + std::string(250 - dir.size(), 'b');
    const std::string tooLong = dir + std::string(251 - dir.size(), 'b');
    ASSERT_EQ(fits.size(), 250u);
    const ProcessResult accepted = RunProbe({"--devname", fits}, {"check", "Morvalin", "WX8800"});
    EXPECT_EQ(accepted.Lines(), Lines{"check 1"});
    const ProcessResult refused = RunProbe(
        {"--devname", tooLong}, {"check", "Morvalin", "WX8800", "open", "0", "Morvalin", "WX8800"});
    EXPECT_EQ(refused.Lines(), (Lines{"check 0", "open -1 errno 2"}));
}

TEST(ZefraLinkFind, MissingArgumentsAndUnknownPipesFindNothing) {
    const ProcessResult run =
        RunProbe({}, {"null", "open", "2", "Morvalin", "WX8800", "open", "-1", "Morvalin", "WX8800",
                      "open", "0", "Morvalin", "RX3600"});
    EXPECT_EQ(run.Lines(), (Lines{"null 0 -1 errno 2", "open -1 errno 2", "open -1 errno 2",
                                  "open -1 errno 2"}));
}

TEST(ZefraLinkFind, NoPrintersAtAll) {
    // Without the test bed the library sees the machine's own printers, which never
    // carry the vendor of these tests' made-up model name.
    const ProcessResult run =
        RunProcess({ZEFRA_PROBE, QUIRN_RUNTIME_DIR "/libzefralink.so", "check", "Morvalin",
                    "NOSUCHMODEL", "open", "0", "Morvalin", "NOSUCHMODEL"});
    EXPECT_EQ(run.Lines(), (Lines{"check 0", "open -1 errno 2"}));
}

struct ChangeCase {
    const char* why;
    std::vector<std::string> simOptions;
    std::vector<std::string> steps;
    Lines expected;
};

TEST(ZefraLinkFind, EachOpenSeesWhatChangedSinceTheLastOne) {
    // The library remembers the device it found last; none of these may reach a stale one.
    const std::string lp0 = "sys/class/usbmisc/lp0";
    const std::string lp1 = "sys/class/usbmisc/lp1";
    const std::string away = "sys/class/usbmisc/.away";
    const std::vector<std::string> status{"query", "Morvalin", "WX8800", "\\e.C1:"};
    const auto then = [&](std::vector<std::string> steps) {
        steps.insert(steps.begin(), status.begin(), status.end());
        return steps;
    };
    const ChangeCase cases[] = {
        {"replugged between two exchanges",
         {"--unplug-after", "1", "--unplug-ms", "200"},
         then({"command", "Morvalin", "WX8800", "TC7,\\x03", "sleep", "700", "query", "Morvalin",
               "WX8800", kModelQuery}),
         {"reply 0\\x03", "sent 5", "reply WX8800-60,V1.20\\x03"}},
        {"replugged under another number",
         {},
         then({"move", lp0, "sys/class/usbmisc/lp3", "query", "Morvalin", "WX8800", kModelQuery}),
         {"reply 0\\x03", "reply WX8800-60,V1.20\\x03"}},
        {"another vendor's device under the plotter's entry and the same device ID",
         {"--model", "WX8800-60", "--model", "WX8800-60", "--vendor-id", "1234"},
         then({"move", lp0, away, "move", lp1, lp0, "open", "0", "Morvalin", "WX8800", "check",
               "Morvalin", "WX8800"}),
         {"reply 0\\x03", "open -1 errno 2", "check 0"}},
        {"the device ID names another model now",
         {},
         then({"write", lp0 + "/device/ieee1284_id", "MANUFACTURER:Morvalin;MODEL:RX3600;", "open",
               "0", "Morvalin", "WX8800", "check", "Morvalin", "RX3600"}),
         {"reply 0\\x03", "open -1 errno 2", "check 1"}},
        {"a plotter plugged in under a lower number comes first",
         {"--model", "WX8800-130", "--model", "WX8800-60"},
         {"move", lp0, away, "query", "Morvalin", "WX8800", kModelQuery, "move", away, lp0, "query",
          "Morvalin", "WX8800", kModelQuery},
         {"reply WX8800-60,V1.20\\x03", "reply WX8800-130,V1.20\\x03"}},
    };
    for (const ChangeCase& c : cases) {
        const ProcessResult run = RunProbe(c.simOptions, c.steps);
        EXPECT_EQ(run.Lines(), c.expected) << c.why;
    }
}

// ---------------------------------------------------------------------------------------
// The descriptor rule of one exchange

TEST(ZefraLinkExchange, BothPipesShareOneOpenFileDescription) {
    const ProcessResult run = RunProbe({}, {"share", "Morvalin", "WX8800"});
    EXPECT_EQ(run.Lines(), Lines{"share same"});
}

TEST(ZefraLinkExchange, NothingStaysOpenAfterAnExchange) {
    const ProcessResult run =
        RunProbe({}, {"held", "/dev/usb/lp0", "query",   "Morvalin", "WX8800",   "\\e.C1:",
                      "held", "/dev/usb/lp0", "command", "Morvalin", "WX8800",   "TC7,\\x03",
                      "held", "/dev/usb/lp0", "query",   "Morvalin", "WX8800",   "\\e.C31;16:",
                      "held", "/dev/usb/lp0", "open",    "1",        "Morvalin", "WX8800",
                      "held", "/dev/usb/lp0"});
    EXPECT_EQ(run.Lines(),
              (Lines{"held 0", "reply 0\\x03", "held 0",
                     // a command without reply: held until the next exchange
                     "sent 5", "held 1", "reply 2\\x03", "held 0", "open ok", "held 0"}));
}

TEST(ZefraLinkExchange, AReadPipeOpenWithoutWriteOpensTheDeviceItself) {
    const ProcessResult run =
        RunProbe({}, {"open", "1", "Morvalin", "WX8800", "held", "/dev/usb/lp0"});
    EXPECT_EQ(run.Lines(), (Lines{"open ok", "held 0"}));
}

TEST(ZefraLinkExchange, AnExchangeWithAnotherPlotterDropsTheHeldDescriptor) {
    const ProcessResult run = RunProbe({"--model", "WX8800-60", "--model", "RX3600-60"},
                                       {"command", "Morvalin", "WX8800", "TC7,\\x03", "held",
                                        "/dev/usb/lp0", "query", "Morvalin", "RX3600", kModelQuery,
                                        "held", "/dev/usb/lp0", "held", "/dev/usb/lp1"});
    EXPECT_EQ(run.Lines(),
              (Lines{"sent 5", "held 1", "reply RX3600-60,V1.20\\x03", "held 0", "held 0"}));
}

// ---------------------------------------------------------------------------------------
// The library file itself

std::set<std::string> Words(const std::string& text, std::size_t column) {
    std::set<std::string> words;
    for (const std::string& line : ProcessResult{0, text}.Lines()) {
        std::vector<std::string> fields;
        std::size_t at = 0;
        while (at < line.size()) {
            const std::size_t start = line.find_first_not_of(' ', at);
            if (start == std::string::npos) {
                break;
            }
            const std::size_t end = line.find(' ', start);
            fields.push_back(line.substr(start, end - start));
            at = end == std::string::npos ? line.size() : end;
        }
        if (fields.size() > column) {
            words.insert(fields[column]);
        }
    }
    return words;
}

TEST(ZefraLinkLibrary, ExportsExactlyTheTwoEntryPoints) {
    const ProcessResult nm =
        RunProcess({"/usr/bin/nm", "-D", "--defined-only", QUIRN_RUNTIME_DIR "/libzefralink.so"});
    ASSERT_EQ(nm.exitCode, 0);
    EXPECT_EQ(Words(nm.output, 2), (std::set<std::string>{"ZEFR_EntryUsbCheck", "ZEFR_OpenUsb"}));
}

TEST(ZefraLinkLibrary, NeedsOnlyTheCLibrary) {
    const ProcessResult readelf =
        RunProcess({"/usr/bin/readelf", "-d", QUIRN_RUNTIME_DIR "/libzefralink.so"});
    ASSERT_EQ(readelf.exitCode, 0);
    std::set<std::string> needed;
    for (const std::string& line : readelf.Lines()) {
        const std::size_t open = line.find("Shared library: [");
        if (open == std::string::npos) {
            continue;
        }
        const std::string library = line.substr(open + 17, line.find(']', open) - open - 17);
        // Sanitizer builds add their run-time libraries to every binary.
        if (library.rfind("libasan", 0) != 0 && library.rfind("libubsan", 0) != 0 &&
            library.rfind("libtsan", 0) != 0) {
            needed.insert(library);
        }
    }
    EXPECT_EQ(needed, std::set<std::string>{"libc.so.6"});
}

} // namespace
