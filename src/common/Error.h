// The program's one error type: a Shift-JIS message meant for the user.
#pragma once
#include <stdexcept>
#include <string>

namespace zv {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string &message) : std::runtime_error(message) {}
};

} // namespace zv
