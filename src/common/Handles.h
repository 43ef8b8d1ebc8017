// One holder for every kind of system handle: it owns one handle and closes it, in the way that
// kind is closed, when it goes out of scope.
#pragma once
#include <windows.h>

namespace zv {

// Traits name the handle type, the value that means none, what counts as a handle, and the call
// that closes it.
template <class Traits> class Unique {
  public:
    using Type = typename Traits::Type;
    explicit Unique(Type h = Traits::None()) : h_(h) {}
    ~Unique() { reset(); }
    Unique(Unique &&other) noexcept : h_(other.release()) {}
    Unique &operator=(Unique &&other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Unique(const Unique &) = delete;
    Unique &operator=(const Unique &) = delete;

    bool valid() const { return Traits::Valid(h_); }
    Type get() const { return h_; }
    Type release() {
        Type h = h_;
        h_ = Traits::None();
        return h;
    }
    void reset(Type h = Traits::None()) {
        if (valid()) Traits::Close(h_);
        h_ = h;
    }

  private:
    Type h_;
};

// A kernel handle (a file, a process): CloseHandle. Calls report failure with null or with
// INVALID_HANDLE_VALUE, depending on the call.
struct KernelTraits {
    using Type = HANDLE;
    static HANDLE None() { return nullptr; }
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
using KernelHandle = Unique<KernelTraits>;

// A FindFirstFile listing: FindClose.
struct FindTraits {
    using Type = HANDLE;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
using FindHandle = Unique<FindTraits>;

// Memory that LocalAlloc gave, or a call that allocates with it (FormatMessage): LocalFree.
template <class T> struct LocalTraits {
    using Type = T *;
    static T *None() { return nullptr; }
    static bool Valid(T *p) { return p != nullptr; }
    static void Close(T *p) { LocalFree(p); }
};
template <class T> using LocalMemory = Unique<LocalTraits<T>>;

} // namespace zv
