// The Windows edge: error texts from the system, RAII holders and small API helpers.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace zv {

// The system's message text for an error code, without its line end.
std::string SystemMessage(DWORD code);
[[noreturn]] void RaiseSystemError(DWORD code);

// A FindFirstFileA listing, closed when it goes out of scope.
class FindHandle {
  public:
    explicit FindHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    ~FindHandle() {
        if (valid()) FindClose(h_);
    }
    FindHandle(const FindHandle &) = delete;
    FindHandle &operator=(const FindHandle &) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

  private:
    HANDLE h_;
};

// A kernel handle, closed when it goes out of scope.
class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid()) CloseHandle(h_);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }

  private:
    HANDLE h_;
};

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

// GetFileAttributesA, with INVALID_FILE_ATTRIBUTES for a path that names nothing.
inline DWORD Attributes(const std::string &path) { return GetFileAttributesA(path.c_str()); }
inline bool DirectoryExists(const std::string &path) {
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
inline bool FileExists(const std::string &path) {
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Disables every visible, enabled top-level window of this thread for as long as it lives, and
// then enables again exactly those that still exist: what makes a dialog modal to the program.
class ThreadWindowsDisabled {
  public:
    ThreadWindowsDisabled();
    ~ThreadWindowsDisabled();
    ThreadWindowsDisabled(const ThreadWindowsDisabled &) = delete;
    ThreadWindowsDisabled &operator=(const ThreadWindowsDisabled &) = delete;

  private:
    std::vector<HWND> list_;
};

// GetFullPathNameA into a buffer of the size it asks for; empty when the path cannot be resolved.
std::string FullPath(const std::string &path);
// The executable's own full path.
std::string ExePath();
// Byte-wise equal after lstrcmpiA: one path spelled in two letter cases.
bool SamePath(const std::string &a, const std::string &b);

// A UTF-16 text in the system code page. The system's own conversion maps what the code page
// lacks to look-alikes ("é" to "e", "¥" to a backslash): here nothing is mapped by likeness, and
// the result is false when any character has no exact counterpart. ansi then holds the text with
// each such character as "?", for showing only.
bool ToAnsiExact(const std::wstring &wide, std::string &ansi);
std::wstring ToWide(const std::string &ansi);

// Which file a path leads to (links followed): the same for every spelling of the path, for
// another drive letter of the same folder and for a link to it. False when it cannot be opened.
struct FileIdentity {
    unsigned long long volume = 0;
    unsigned char id[16] = {};
    bool operator==(const FileIdentity &o) const;
};
bool IdentityOf(const std::string &path, FileIdentity &identity);

} // namespace zv
