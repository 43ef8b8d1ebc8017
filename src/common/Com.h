// COM for the shell calls: interface pointers, memory from an IMalloc, and OLE for the thread.
#pragma once
#include <windows.h>

#include <ole2.h>

namespace zv {

// A COM interface pointer released when it goes out of scope.
template <class T> class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef &) = delete;
    ComRef &operator=(const ComRef &) = delete;
    T **out() { return &p_; }
    T *operator->() const { return p_; }
    T *get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T *p_ = nullptr;
};

// Memory from an IMalloc, freed through it when it goes out of scope.
template <class T, class Malloc> class MallocPtr {
  public:
    MallocPtr(Malloc *m, T *p) : m_(m), p_(p) {}
    ~MallocPtr() {
        if (p_) m_->Free(p_);
    }
    MallocPtr(const MallocPtr &) = delete;
    MallocPtr &operator=(const MallocPtr &) = delete;
    T *get() const { return p_; }

  private:
    Malloc *m_;
    T *p_;
};

// OLE for the calling thread, as a single-threaded apartment (the shell's folder dialog needs
// one on Windows), for as long as it lives.
class OleSession {
  public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) OleUninitialize();
    }
    OleSession(const OleSession &) = delete;
    OleSession &operator=(const OleSession &) = delete;

  private:
    bool ok_;
};

} // namespace zv
