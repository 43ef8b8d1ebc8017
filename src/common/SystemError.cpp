// Errors that the system reports as codes.
#include "SystemError.h"

#include "Error.h"
#include "Handles.h"

namespace zv {

std::string SystemMessage(DWORD code) {
    char *text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char *>(&text), 0, nullptr);
    LocalMemory<char> held(text);
    std::string message = n && text ? std::string(text, n) : std::string();
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    if (message.empty()) message = "Error " + std::to_string(code);
    return message;
}

void RaiseSystemError(DWORD code) { throw Error(SystemMessage(code)); }

} // namespace zv
