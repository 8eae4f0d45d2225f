#pragma once

#include "link/PlotterTransport.h"
#include "link/ZefraLinkLibrary.h"

#include <string>

// The plotter's two USB pipes, reached through libzefralink.so: every transfer opens its pipe
// afresh (pipe 0 to write, pipe 1 to read) and closes the descriptor as soon as it is over.
// The library keeps the device open from a write until the read that follows it, so that no
// reply is lost; an exchange that ends without that read gets the device back from it in
// EndExchange.
class CUsbTransport : public IPlotterTransport {
public:
    static constexpr const char* kManufacturer = "Morvalin";
    static constexpr int kWritePipe = 0;
    static constexpr int kReadPipe = 1;
    // The driver may hand over more than one reply's worth in one transfer.
    static constexpr int kReadBufferSize = 1024;

    CUsbTransport(ZEFR_OpenUsbFn openUsb, std::string usbModel);

    // Writes until every byte is out: a short write goes on with the rest.
    [[nodiscard]] int Write(const std::string& bytes, int timeoutMs) override;
    [[nodiscard]] int WriteSome(std::string_view bytes, int timeoutMs, std::size_t& sent) override;
    // One transfer of whatever the device has ready, waited for at most `timeoutMs`.
    [[nodiscard]] int Read(std::string& raw, int timeoutMs) override;
    // After a write without a read: a read-pipe open, closed unread, makes the library give
    // up the device it kept for the reply.
    void EndExchange() override;

private:
    int OpenPipe(int pipe) const;

    ZEFR_OpenUsbFn m_pfnOpenUsb;
    std::string m_strUsbModel;
    bool m_bDeviceKept = false; // a write pipe was opened and no read pipe since
};
