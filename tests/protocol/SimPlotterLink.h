#pragma once

#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "link/PlotterTransport.h"
#include "models/PlotterModel.h"
#include "sim/SimPlotter.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// Moves bytes between the port and an in-process simulated plotter. A reply that the plotter
// did not produce reads as a time-out, like a silent device. `fault` may fail chosen writes.
class CSimPlotterTransport : public IPlotterTransport {
public:
    explicit CSimPlotterTransport(CSimPlotter& sim) : m_sim(sim) {}

    int Write(const std::string& bytes, int) override {
        ++m_nWrites;
        if (m_fnFault) {
            if (const int code = m_fnFault(bytes); code != msg::kOk) {
                return code;
            }
        }
        m_sim.Receive(bytes);
        return msg::kOk;
    }

    int Read(std::string& raw, int) override {
        ++m_nReads;
        raw = m_sim.TakeOutput();
        return raw.empty() ? msg::kTimeout : msg::kOk;
    }

    std::function<int(const std::string& bytes)> m_fnFault;
    int m_nWrites = 0;
    int m_nReads = 0;

private:
    CSimPlotter& m_sim;
};

// A port wired to a simulated plotter of one model, with the model identified and its blade
// catalogue chosen, as after the main window's start-up.
struct SimPlotterLink {
    explicit SimPlotterLink(std::string_view type, bool demo = false) : sim(type) {
        commandLine.m_bDemo = demo ? 1 : 0;
        port.SetOptions(PortOptions{demo, false, {}});
        model.Identify(type);
        model.SelectBladeCatalogue(1033);
        auto owned = std::make_unique<CSimPlotterTransport>(sim);
        transport = owned.get();
        port.SetTransport(std::move(owned));
    }

    // Fails every write whose text begins with `prefix` with `code`.
    void FailWritesStartingWith(std::string prefix, int code) {
        transport->m_fnFault = [prefix, code](const std::string& bytes) {
            return bytes.starts_with(prefix) ? code : msg::kOk;
        };
    }

    CControllerCommandLine commandLine;
    CPlotterModel model;
    CControllerSettings settings{true};
    CSimPlotter sim;
    CPlotterPort port{model};
    CSimPlotterTransport* transport = nullptr;
};

inline const std::string kEsc = "\x1b";
inline const std::string kEtx = "\x03";
