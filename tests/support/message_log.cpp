#include "test_support.h"

#include <string.h>

#include <sstream>

namespace {

std::vector<LoggedMessage> Log;
std::vector<std::pair<HWND, const char *>> Roles;

const char *RoleOf(HWND window) {
    for (const auto &role : Roles) {
        if (role.first == window) return role.second;
    }
    return "window";
}

std::string Describe(const LoggedMessage &m, unsigned fields) {
    std::ostringstream text;
    text << m.role << ": 0x" << std::hex << m.message;
    if (fields & LOG_WPARAM) text << " wparam 0x" << m.wparam;
    if (fields & LOG_LPARAM) text << " lparam 0x" << m.lparam;
    if (fields & LOG_CODE) text << " code " << std::dec << static_cast<int>(m.code);
    if (fields & LOG_STAGE) text << " stage 0x" << std::hex << m.stage;
    return text.str();
}

bool Matches(const LoggedMessage &want, const LoggedMessage &got) {
    return strcmp(want.role, got.role) == 0 && want.message == got.message &&
           (!(want.compare & LOG_WPARAM) || want.wparam == got.wparam) &&
           (!(want.compare & LOG_LPARAM) || want.lparam == got.lparam) &&
           (!(want.compare & LOG_CODE) || want.code == got.code) &&
           (!(want.compare & LOG_STAGE) || want.stage == got.stage);
}

}  // namespace

void SetRole(HWND window, const char *role) {
    for (auto &known : Roles) {
        if (known.first == window) {
            known.second = role;
            return;
        }
    }
    Roles.push_back({window, role});
}

void LogCall(const char *role, UINT call) { Log.push_back({role, call, LOG_ALL, 0, 0, 0, 0}); }

void LogMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LoggedMessage entry = {RoleOf(window), message, LOG_ALL, wparam, lparam, 0, 0};
    const NMHDR *header = reinterpret_cast<const NMHDR *>(lparam);
    if (message == WM_NOTIFY && header != NULL) {
        entry.code = header->code;
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW))
            entry.stage = reinterpret_cast<const NMCUSTOMDRAW *>(lparam)->dwDrawStage;
    }
    Log.push_back(entry);
}

const std::vector<LoggedMessage> &MessageLog() { return Log; }

void FlushLog() { Log.clear(); }

void ExpectSequence(const std::vector<LoggedMessage> &expected, const char *context) {
    bool same = expected.size() == Log.size();
    for (size_t i = 0; same && i < expected.size(); ++i) same = Matches(expected[i], Log[i]);
    if (!same) {
        std::ostringstream text;
        text << context << ": the messages differ\n  expected:\n";
        for (const LoggedMessage &m : expected) text << "    " << Describe(m, m.compare) << "\n";
        text << "  received:\n";
        for (const LoggedMessage &m : Log) text << "    " << Describe(m, LOG_ALL) << "\n";
        ADD_FAILURE() << text.str();
    }
    FlushLog();
}
