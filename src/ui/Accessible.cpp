// What a screen reader reads of a control: the system's accessible object, with the program's
// name and role (oleacc.dll, from the system's folder).
#include "Accessible.h"

#include <oleacc.h>

#include "../common/SystemLibrary.h"
#include "Subclass.h"

namespace zv {
namespace {

// IID_IAccessible, {618736E0-3C3D-11CF-810C-00AA00389B71}.
const IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const UINT_PTR kSubclass = 0x4143; // this unit's subclass of a control

bool Self(const VARIANT &child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's object with the program's name and role; every other question goes to it.
class Named final : public IAccessible {
  public:
    Named(HWND control, IAccessible *system, const AccessibleFacts &facts)
        : control_(control), system_(system), facts_(facts) {}
    virtual ~Named() { system_->Release(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, kIAccessible)) {
            *out = static_cast<IAccessible *>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (!left) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *n) override {
        return system_->GetTypeInfoCount(n);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo **t) override {
        return system_->GetTypeInfo(i, l, t);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR *n, UINT c, LCID l,
                                            DISPID *d) override {
        return system_->GetIDsOfNames(r, n, c, l, d);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS *p, VARIANT *v,
                                     EXCEPINFO *e, UINT *a) override {
        return system_->Invoke(d, r, l, f, p, v, e, a);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **p) override {
        return system_->get_accParent(p);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long *n) override {
        return system_->get_accChildCount(n);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch **p) override {
        return system_->get_accChild(c, p);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT c, BSTR *name) override {
        if (!Self(c) || facts_.name.empty()) return system_->get_accName(c, name);
        *name = SysAllocString(facts_.name.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR *v) override {
        return system_->get_accValue(c, v);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR *d) override {
        return system_->get_accDescription(c, d);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT *role) override {
        if (!Self(c) || !facts_.pushButton) return system_->get_accRole(c, role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT *s) override {
        return system_->get_accState(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR *h) override {
        return system_->get_accHelp(c, h);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *f, VARIANT c, long *t) override {
        return system_->get_accHelpTopic(f, c, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR *k) override {
        return system_->get_accKeyboardShortcut(c, k);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *f) override { return system_->get_accFocus(f); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *s) override {
        return system_->get_accSelection(s);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR *a) override {
        if (!Self(c) || !facts_.pushButton) return system_->get_accDefaultAction(c, a);
        *a = SysAllocString(L"押す");
        return *a ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override {
        return system_->accSelect(f, c);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long *x, long *y, long *w, long *h, VARIANT c) override {
        return system_->accLocation(x, y, w, h, c);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT *e) override {
        return system_->accNavigate(d, s, e);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT *c) override {
        return system_->accHitTest(x, y, c);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
        if (!Self(c) || !facts_.pushButton) return system_->accDoDefaultAction(c);
        if (IsWindow(control_)) PostMessageW(control_, BM_CLICK, 0, 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override {
        return system_->put_accName(c, n);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override {
        return system_->put_accValue(c, v);
    }

  private:
    HWND control_;
    IAccessible *system_;
    const AccessibleFacts facts_; // a copy: a client may keep the object after the window goes
    ULONG refs_ = 1;
};

LRESULT CALLBACK Answer(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_GETOBJECT && static_cast<LONG>(lp) == OBJID_CLIENT) {
        static const auto create = SystemCall<HRESULT(WINAPI *)(HWND, LONG, REFIID, void **)>(
            L"oleacc.dll", "CreateStdAccessibleObject", true);
        static const auto answer = SystemCall<LRESULT(WINAPI *)(REFIID, WPARAM, LPUNKNOWN)>(
            L"oleacc.dll", "LresultFromObject", true);
        IAccessible *system = nullptr;
        if (create && answer &&
            SUCCEEDED(
                create(hwnd, OBJID_CLIENT, kIAccessible, reinterpret_cast<void **>(&system))) &&
            system) {
            Named *named =
                new Named(hwnd, system, *reinterpret_cast<const AccessibleFacts *>(data));
            const LRESULT result = answer(kIAccessible, wp, named);
            named->Release();
            return result;
        }
    } else if (msg == WM_NCDESTROY) {
        Unsubclass(hwnd, Answer, kSubclass);
    }
    return DefSubclass(hwnd, msg, wp, lp);
}

} // namespace

void AnswerScreenReaders(HWND control, const AccessibleFacts *facts) {
    Subclass(control, Answer, kSubclass, reinterpret_cast<DWORD_PTR>(facts));
}

} // namespace zv
