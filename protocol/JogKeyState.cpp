#include "protocol/JogKeyState.h"

#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "protocol/PortSteps.h"
#include "protocol/ProtocolText.h"

int CJogKeyState::WireMask(int mask) {
    if ((mask & (kCtrl | kShift)) == (kCtrl | kShift)) {
        mask &= ~(kCtrl | kShift);
    }
    return mask == kCtrl || mask == kShift ? 0 : mask;
}

int CJogKeyState::Set(int mask) {
    if (mask == m_nMask) {
        return msg::kOk;
    }
    m_nMask = mask;
    return SendJogKeys();
}

int CJogKeyState::Press(int bits) {
    if ((m_nMask & bits) != 0) {
        return msg::kOk;
    }
    m_nMask |= bits;
    return SendJogKeys();
}

int CJogKeyState::Release(int bits) {
    if ((m_nMask & bits) == 0) {
        return msg::kOk;
    }
    m_nMask &= ~bits;
    return SendJogKeys();
}

int CJogKeyState::SendJogKeys() {
    const int sent = m_port.Transact(false, false, [&] {
        return proto::Send(m_port, proto::JogKeysControl(WireMask(m_nMask)));
    });
    if (sent != msg::kOk) {
        m_nMask = 0;
    }
    return sent;
}
