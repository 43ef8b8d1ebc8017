// Texts that a call writes into a buffer of the caller's size. No windows.h here.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

namespace zv {

// Calls call(buffer, size) with a zero-filled buffer, first of size first, and again with a larger
// one until the text fits: call returns the length it wrote, and the text fits when that is less
// than size - slack. A call that cuts its text short returns size - slack or more; one that reports
// the size it needs returns that. The text, of the length returned (0 when the call failed).
template <class Char, class Call>
std::basic_string<Char> ReadGrowing(Call call, size_t slack, size_t first) {
    std::vector<Char> buf(first);
    for (;;) {
        std::fill(buf.begin(), buf.end(), Char());
        const size_t n = call(buf.data(), buf.size());
        if (n + slack < buf.size()) return std::basic_string<Char>(buf.data(), n);
        buf.resize(std::max(buf.size() * 2, n + slack + 1));
    }
}

} // namespace zv
