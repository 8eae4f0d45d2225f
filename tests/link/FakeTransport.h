#pragma once

#include "core/messages/MessageCodes.h"
#include "link/PlotterTransport.h"

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A scripted byte pipe: records every write and hands out queued reads in order. The port
// owns the transport, so the test keeps the shared script to set it up and look at it.
struct FakeScript {
    struct Read {
        int nResult = 0;
        std::string strRaw;
    };

    void QueueRead(std::string raw, int result = 0) {
        const std::lock_guard lock(m_mutex);
        m_reads.push_back({result, std::move(raw)});
    }
    void FailWritesWith(int result) {
        const std::lock_guard lock(m_mutex);
        m_nWriteResult = result;
    }
    std::vector<std::string> Writes() const {
        const std::lock_guard lock(m_mutex);
        return m_writes;
    }
    int ReadCount() const {
        const std::lock_guard lock(m_mutex);
        return m_nReads;
    }

    mutable std::mutex m_mutex;
    std::deque<Read> m_reads;
    std::vector<std::string> m_writes;
    int m_nWriteResult = 0;
    int m_nReads = 0;
};

class CFakeTransport : public IPlotterTransport {
public:
    explicit CFakeTransport(std::shared_ptr<FakeScript> script) : m_script(std::move(script)) {}

    int Write(const std::string& bytes, int) override {
        const std::lock_guard lock(m_script->m_mutex);
        m_script->m_writes.push_back(bytes);
        return m_script->m_nWriteResult;
    }

    int Read(std::string& raw, int) override {
        const std::lock_guard lock(m_script->m_mutex);
        ++m_script->m_nReads;
        if (m_script->m_reads.empty()) {
            raw.clear();
            return msg::kTimeout; // nothing scripted: the plotter stays silent
        }
        FakeScript::Read next = std::move(m_script->m_reads.front());
        m_script->m_reads.pop_front();
        raw = std::move(next.strRaw);
        return next.nResult;
    }

private:
    std::shared_ptr<FakeScript> m_script;
};
