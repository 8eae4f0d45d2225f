#include "core/messages/CMessageService.h"

#include "core/messages/MessageCodes.h"

#include <optional>

namespace {

constexpr int kTitleString = 2000;

std::optional<MessageIcon> IconOfMessage(int code) {
    if ((code >= msg::kUnsupportedSystem && code <= msg::kModelUnsupported) ||
        (code >= msg::kQueueUnavailable && code <= msg::kControlPicturesFailed) ||
        (code >= msg::kPlotterBusy && code <= msg::kMarkReadingFailed)) {
        return MessageIcon::Error;
    }
    if ((code >= msg::kSelectList && code <= msg::kLightPointerSelected) ||
        (code >= msg::kBadDesignOrientation && code <= msg::kBadMarkThickness) ||
        (code >= msg::kHelpPageMissing && code <= msg::kHelpNotOpened)) {
        return MessageIcon::Warning;
    }
    return std::nullopt;
}

} // namespace

CMessageService::CMessageService()
    : m_strTitle(m_strings.LoadString(kTitleString)), m_screenSink(m_strings) {}

CMessageService& CMessageService::Instance() {
    static CMessageService service;
    return service;
}

bool CMessageService::LoadLanguage(const std::string& programFolder,
                                   const std::string& resourceName) {
    const bool loaded = m_strings.LoadLanguage(programFolder, resourceName);
    m_strTitle = m_strings.LoadString(kTitleString);
    return loaded;
}

CMessageSink* CMessageService::SetSink(CMessageSink* sink) {
    CMessageSink* previous = m_pSink;
    m_pSink = sink;
    return previous;
}

void CMessageService::ShowMessage(int code) {
    ShowMessage(code, std::string());
}

void CMessageService::ShowMessage(int code, const std::string& detail) {
    const std::optional<MessageIcon> icon = IconOfMessage(code);
    if (!icon) {
        return;
    }
    const std::string text = m_strings.LoadString(code);
    Show(*icon, MessageButtons::Ok,
         WithCodeSuffix(detail.empty() ? text : text + "\n" + detail, code));
}

void CMessageService::ShowRangeMessage(int code, const char* low, const char* high) {
    if (code < msg::kRangeFirst || code > msg::kRangeLast) {
        return;
    }
    const std::string text = FormatRangeText(m_strings.LoadString(code), low, high);
    Show(MessageIcon::Warning, MessageButtons::Ok, WithCodeSuffix(text, code));
}

bool CMessageService::ConfirmMessage(int code, const std::string& subject) {
    if (code < msg::kConfirmCommandSetSwitch || code > msg::kConfirmChangeConditions) {
        return false;
    }
    return Show(MessageIcon::Question, MessageButtons::OkCancel,
                FormatRangeText(m_strings.LoadString(code), subject.c_str(), nullptr));
}

bool CMessageService::Show(MessageIcon icon, MessageButtons buttons, const std::string& text) {
    CMessageSink& sink = m_pSink != nullptr ? *m_pSink : m_screenSink;
    return sink.Show(MessageBoxRequest{icon, buttons, m_strTitle, text});
}

QString WindowText(int id) {
    return QString::fromStdString(CMessageService::Instance().Strings().LoadString(id));
}

std::string FormatRangeText(const std::string& format, const char* low, const char* high) {
    const char* limits[] = {low != nullptr ? low : "", high != nullptr ? high : ""};
    size_t used = 0;
    std::string out;
    out.reserve(format.size() + 32);
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const char next = format[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (next == 's' && used < 2) {
                out += limits[used++];
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

std::string WithCodeSuffix(const std::string& text, int code) {
    return text + " [code = " + std::to_string(code) + "]";
}

void ShowMessage(int code) {
    CMessageService::Instance().ShowMessage(code);
}

void ShowRangeMessage(int code, const char* low, const char* high) {
    CMessageService::Instance().ShowRangeMessage(code, low, high);
}

bool ConfirmMessage(int code, const std::string& subject) {
    return CMessageService::Instance().ConfirmMessage(code, subject);
}
