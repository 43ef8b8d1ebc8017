// Lead bytes as the system code page defines them.
#include "ShiftJis.h"

#include <windows.h>

namespace zv {
bool IsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }
} // namespace zv
