// Lead bytes of code page 932, for the native build of the pure layer.
#include "ShiftJis.h"

namespace zv {
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
} // namespace zv
