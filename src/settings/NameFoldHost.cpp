// The identity of a name that is not all ASCII, for the native build: code page 932's bytes, one
// unit per character, with ASCII letters and the full-width Latin letters raised.
#include "../common/ShiftJis.h"
#include "Merge.h"

namespace zv {

std::wstring FoldNonAscii(const std::string &name) {
    std::wstring wide;
    for (size_t i = 0; i < name.size(); i += CharLen(name, i)) {
        unsigned c = static_cast<unsigned char>(name[i]);
        if (CharLen(name, i) == 2) {
            const unsigned trail = static_cast<unsigned char>(name[i + 1]);
            c = c << 8 | (c == 0x82 && trail >= 0x81 && trail <= 0x9A ? trail - 0x21 : trail);
        } else if (c >= 'a' && c <= 'z') {
            c -= 'a' - 'A';
        }
        wide += static_cast<wchar_t>(c);
    }
    return wide;
}

} // namespace zv
