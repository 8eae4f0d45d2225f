#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// One distance-adjust slot as the plotter stores it: the wire codes 0..400 (200 = 0.00 %).
struct SimDistanceAdjust {
    int on = 0;
    int lengthCode = 200;
    int widthCode = 200;
};

// One tangential-emulation slot as the plotter stores it: start and end in plotter steps.
struct SimTangential {
    int on = 0;
    int start = 6;
    int end = 10;
};

// A simulated cutting plotter behind the two USB pipes. It takes the host's bytes in any
// pieces, answers every device-control query from its state, applies every setting command
// to that state and keeps every byte it received. It knows no time: delays and the USB side
// belong to whoever drives it. All state is public so that tests set up situations directly.
//
// Values are kept as they travel on the wire (lengths in steps, speed x 10, quality x 5, the
// pen-up speed as the value or the table index the controller sends), so a reply is always
// exactly what the last command set.
//
// One caller at a time: it has no lock of its own (the plotter port's lock serialises it).
class CSimPlotter {
public:
    static constexpr char kEsc = '\x1b';
    static constexpr char kEtx = '\x03';
    static constexpr std::array<std::string_view, 10> kModelTypes = {
        "WX8800-60",  "WX8800-75",   "WX8800-100", "WX8800-130", "WX8800-160",
        "Nimbo-Pro2", "Nimbo Pro S", "RX3600-40",  "RX3600-60",  "RX3600-120"};
    // The USB model string of the device ID (the model's family).
    static std::string_view UsbModelFor(std::string_view modelType);
    static bool IsKnownModel(std::string_view modelType);

    explicit CSimPlotter(std::string_view modelType = kModelTypes[0]);

    // Bytes from the host, in any pieces: a query or command split over several calls is
    // completed by the next ones.
    void Receive(std::string_view bytes);
    // The reply bytes produced so far; they are handed out once.
    std::string TakeOutput();
    // The link went down: the part of a request received so far is dropped (kept in Unknown()
    // when there was one), so it cannot run into the next request.
    void DiscardUnfinished();
    // No more bytes will come: text still waiting for its ETX is drawing data after all.
    void EndOfInput();
    // Every byte received, in order.
    const std::string& Log() const { return m_strLog; }
    // The drawing data among them: every byte that was neither a device-control request nor a
    // setting command the plotter understood, in order. It is what a cutting job asked the
    // plotter to do; text that could still become a setting command joins it once it cannot.
    const std::string& Job() const { return m_strJob; }
    // Every complete query and command understood, without ESC framing or ETX, in order
    // ("C31;16", "TC4,2"). Handy for checking sequences without byte offsets.
    const std::vector<std::string>& Commands() const { return m_commands; }
    // Queries and commands that were complete but not understood.
    const std::vector<std::string>& Unknown() const { return m_unknown; }

    // Identity.
    std::string m_strModel;
    std::string m_strFirmware = "V1.20";

    // C1: the status number; 0 = ready, low five bits = not ready. When m_nStatusReplies is
    // not negative, only that many status queries get m_nStatus, later ones get 0.
    int m_nStatus = 0;
    int m_nStatusReplies = -1;

    int m_nStepSize = 1;   // index 0-3: 10, 20, 40, 100 steps per mm
    int m_nCommandSet = 0; // 0 QV-CL, 1 HP-GL (TC24)

    // Panel settings.
    int m_nMarksAvailable = 1;
    int m_nMediaOrientation = 0; // TC21
    int m_nMirror = 0;           // TC26

    // Selected tool and condition (TC4, TC3, TC1, TC2, TC5); TC10 sets m_bPanelConditions.
    int m_nTool = 2;    // 1-8, 8 = light pointer
    int m_nForce = 14;  // TC3
    int m_nSpeed = 300; // TC1: speed x 10
    int m_nQuality = 5; // TC2: quality x 5
    int m_nOffset = 0;  // TC5
    bool m_bPanelConditions = true;

    // Advanced settings.
    int m_nPageLength = 40000;   // steps (TC25)
    int m_nOffsetAngle = 30;     // TC30
    int m_nInitialDownForce = 0; // TC32
    int m_nStepPass = 0;         // TC31
    int m_nPenUpSpeed = 0;       // TC29: value (WX8800) or table index (other families)
    int m_nAutoPreFeed = 1;      // TC27 first parameter
    int m_nFeedLength = 20000;   // TC27 second parameter, steps
    int m_nFanPower = 0;         // TC34
    std::array<SimDistanceAdjust, 9> m_distanceAdjust{};             // TC33, slots 1-9
    int m_nTangentialMode = 1;                                       // TC28,0,m
    std::array<int, 9> m_tangentialModes{1, 1, 1, 1, 1, 1, 1, 1, 1}; // TC28,11..19,m
    std::array<SimTangential, 9> m_tangential{};                     // TC28,slot,on,start,end

    // Registration marks: the last values of TB52, TB51, TB53 and the last search command.
    int m_nMarkTypeCode = 1;
    int m_nMarkLength = 0;
    int m_nMarkThickness = 0;
    std::string m_strMarkSearch;
    int m_nMarksRead = 0; // TC23

    // C11 replies after a start (C10), one per poll; the last one repeats. A reply "2"
    // also sets m_nMarksRead. C12 makes the next polls answer "10". Before any start the
    // polls answer "10".
    std::vector<std::string> m_markReadReplies{"1", "2"};
    bool m_bMarkReading = false;
    std::size_t m_nMarkPolls = 0;

    // C13 replies after a test cut (TC7, TC8), one per poll; the last one repeats. A reply
    // "6" waits for Enter: the plotter stays there until C14, then answers "8". Outside a
    // test cut the polls answer "8".
    std::vector<std::string> m_enterReplies{"0", "8"};
    bool m_bTestCutRunning = false;
    std::size_t m_nEnterPolls = 0;
    bool m_bEnterPressed = false;

    int m_nJogMask = 0; // C21
    int m_nTestCuts = 0;
    int m_nFiveTestCuts = 0;
    int m_nCrossCuts = 0;
    int m_nOriginMoves = 0;
    int m_nEnterPresses = 0;

    // Faults.
    bool m_bAnswerModelQuery = true;  // a firmware too old to know C31;9 stays silent
    bool m_bMalformedReplies = false; // every reply is "x"
    // Raw reply bytes (ETX included or not) for one query key ("C31;16", "TC23"): they
    // replace the normal reply; an empty string means no answer.
    std::map<std::string, std::string> m_replyOverrides;
    // Zero bytes placed between the reply text and its ETX.
    std::size_t m_nZeroBytes = 0;
    // When larger than the reply, leading blanks make the reply this many bytes long.
    std::size_t m_nReplyLength = 0;

private:
    void HandleQuery(const std::string& body);
    void HandleCommand(const std::string& text);
    bool HandleSettingCommand(int number, const std::vector<int>& args, bool hasArgs);
    bool HandleMarkCommand(int number, const std::string& text, const std::vector<int>& args);
    std::string AnswerFor(const std::string& key);
    std::string MarkReadReply();
    std::string EnterReply();
    void Reply(const std::string& key, const std::string& text);

    // Text that is no request: unknown to the controller's protocol, drawing data to a plotter.
    void TakeAsJob(std::string text);

    std::string m_strLog;
    std::string m_strJob;
    std::string m_strPending;
    std::string m_strOutput;
    std::vector<std::string> m_commands;
    std::vector<std::string> m_unknown;
};
