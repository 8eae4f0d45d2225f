#pragma once

#include "link/PlotterTransport.h"
#include "link/PortLock.h"
#include "link/PrinterList.h"
#include "link/ZefraLinkLibrary.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CPlotterModel;

// The launch values the port reads.
struct PortOptions {
    bool bDemo = false;   // DEMO: no library, no plotter; every operation succeeds
    bool bModel = false;  // MODEL: the plotter of strModel is opened without the USB search
    std::string strModel; // the model's name as it was given
};

// The controller's one link to the plotter. Binds libzefralink.so, picks the connected
// plotter, and runs every exchange with it as one transaction under the port lock, so the
// user-interface thread and the retry timer never interleave their bytes.
//
// Every operation returns 0 or a message code. In demo mode nothing is loaded, nothing is
// sent or read, and every operation succeeds.
class CPlotterPort {
public:
    static constexpr int kLockWaitMs = 500;
    static constexpr int kTransferTimeoutMs = 5000;
    static constexpr std::size_t kMaxReplyBytes = 512;
    static constexpr int kWaitForPortTries = 11;
    // Open's result when the user closed the plotter choice window without choosing: the
    // start is cancelled, and no message is shown for it. No message code has this value.
    static constexpr int kChoiceDismissed = -1;

    // Asked when more than one supported plotter answers: gets their family names in table
    // order and gives back the chosen one, or "" when the choice was abandoned.
    using ModelChooser = std::function<std::string(const std::vector<std::string>& familyNames)>;

    // The port sets the model's family when it opens.
    explicit CPlotterPort(CPlotterModel& model);
    virtual ~CPlotterPort();
    CPlotterPort(const CPlotterPort&) = delete;
    CPlotterPort& operator=(const CPlotterPort&) = delete;

    // Taken before Open, once the launch parameters are known.
    void SetOptions(PortOptions options) { m_options = std::move(options); }
    void SetModelChooser(ModelChooser chooser) { m_fnChooseModel = std::move(chooser); }
    // Where Open looks for the library; the program folder, then the system's search, unless
    // set otherwise.
    void SetLibraryCandidates(std::vector<std::string> candidates) {
        m_vecLibraryCandidates = std::move(candidates);
    }
    // Replaces the byte pipe to the plotter (the in-process simulated plotter, for instance).
    void SetTransport(std::unique_ptr<IPlotterTransport> transport);

    // Binds the library and chooses the plotter: 0, msg::kLibraryMissing,
    // msg::kLibraryExportMissing, msg::kOutOfMemory, msg::kNoPlotter, msg::kModelUnsupported
    // or kChoiceDismissed.
    [[nodiscard]] int Open();

    // Runs one transaction: takes the port lock (at most kLockWaitMs, else msg::kPortBusy),
    // runs the print-queue check and the ready check when asked to, then `body`, lets go of
    // the device, and releases the lock. The first non-zero code ends it and is returned.
    // `body` talks to the plotter only through Query, WriteCommand and ReadReply.
    [[nodiscard]] int Transact(bool checkQueues, bool checkStatus,
                               const std::function<int()>& body);

    // Inside a transaction: writes `text` and reads its reply, each with kTransferTimeoutMs.
    [[nodiscard]] int Query(std::string_view text, std::string& reply);
    // Inside a transaction: sends the whole text within `timeoutMs`. 0, msg::kNoPlotter,
    // msg::kPortBusy (another program holds the device), msg::kTimeout or msg::kWriteFailed.
    [[nodiscard]] int WriteCommand(std::string_view text, int timeoutMs);
    // Inside a transaction: as WriteCommand, and `sent` says how many bytes the plotter took,
    // also when it stopped taking them within `timeoutMs` (msg::kTimeout): a cutting job is
    // streamed on from there without sending a byte twice.
    [[nodiscard]] int WriteSome(std::string_view bytes, int timeoutMs, std::size_t& sent);
    // Inside a transaction: reads one reply and normalises it (NormaliseReply). 0,
    // msg::kNoPlotter, msg::kPortBusy, msg::kTimeout or msg::kReadFailed.
    [[nodiscard]] int ReadReply(std::string& reply, int timeoutMs);
    // Inside a transaction: the ready-status query. 0 ready, msg::kPlotterNotReady, or
    // msg::kReadFailed for a status it does not know; transport failures as they come.
    [[nodiscard]] int QueryStatus();

    // A transaction with only the optional checks.
    [[nodiscard]] int CheckReady(bool checkQueues, bool checkStatus);
    // Waits until no operation holds the port lock, for at most kWaitForPortTries lock waits.
    void WaitForPort();

    bool IsDemo() const;
    const std::string& UsbModel() const { return m_strUsbModel; }

    // The reply as the protocol reads it: at most kMaxReplyBytes of the raw bytes, up to the
    // first zero byte; the text before the first ETX (none: empty); leading white space off.
    static std::string NormaliseReply(std::string_view raw);

private:
    [[nodiscard]] int ChooseFamilyName(std::string& name);
    // The checks and the body of a transaction, with the port lock held.
    [[nodiscard]] int TransactLocked(bool checkQueues, bool checkStatus,
                                     const std::function<int()>& body);

    PortOptions m_options;
    CPlotterModel& m_model;
    CPortLock m_portLock;
    CPrinterList m_printers;
    CZefraLinkLibrary m_library;
    std::vector<std::string> m_vecLibraryCandidates;
    std::unique_ptr<IPlotterTransport> m_pTransport;
    ModelChooser m_fnChooseModel;
    std::string m_strUsbModel;
};
