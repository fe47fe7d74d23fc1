// The accessible object of the program's own window classes. Each request
// gets an object of its own (the system releases it when the client is done);
// what the window's traits do not answer goes to the system's standard
// object for a client area, which knows the window's place, parent, focus
// and keyboard shortcut. The object is one COM object: it answers for the
// interfaces it implements and no other, and once its window is destroyed
// every question answers CO_E_OBJNOTCONNECTED.
#include "win/accessible.h"

#include <oleacc.h>

#include <new>

namespace {

HRESULT GiveText(const char* text, BSTR* out) {
    if (!out) return E_POINTER;
    WCHAR wide[AccessibleTextSize] = L"";
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, AccessibleTextSize);
    wide[AccessibleTextSize - 1] = L'\0';
    *out = SysAllocString(wide);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT GiveText(HWND window, AccessibleText source, BSTR* out) {
    char text[AccessibleTextSize] = "";
    source(window, text, sizeof text);
    return GiveText(text, out);
}

// Made on the process heap and released there: the program links no C++
// allocation runtime.
class ControlAccessible final : public IAccessible, public IOleWindow {
public:
    ControlAccessible(HWND window, IAccessible* standard, const AccessibleTraits& traits)
        : window_(window), windowClass_(GetClassWord(window, GCW_ATOM)), standard_(standard), traits_(traits) {}

    // --- IUnknown ----------------------------------------------------------
    // No interface of the standard object is handed out: asked for IUnknown
    // it would name another object, and its IEnumVARIANT lists child windows
    // where the children are this object's own (AccessibleChildren falls
    // back on get_accChildCount and get_accChild without one).
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (riid == __uuidof(IOleWindow))
            *object = static_cast<IOleWindow*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            standard_->Release();
            this->~ControlAccessible();
            HeapFree(GetProcessHeap(), 0, this);
        }
        return static_cast<ULONG>(left);
    }

    // --- IDispatch: no type information; clients call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // --- IOleWindow: the window a reader finds the object by. ---------------
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = nullptr;
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // --- IAccessible: each method first checks that the window still exists.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (!count) return E_POINTER;
        *count = traits_.childCount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (!object) return E_POINTER;
        *object = nullptr;
        return IsChild(child) ? S_FALSE : E_INVALIDARG;  // simple elements have no object of their own
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (IsSelf(child))
            return traits_.name ? GiveText(window_, traits_.name, name) : standard_->get_accName(child, name);
        if (IsChild(child)) return GiveText(traits_.childNames[child.lVal - 1], name);
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (IsSelf(child) && traits_.value) return GiveText(window_, traits_.value, value);
        if (IsSelf(child) || IsChild(child)) return NoText(value, DISP_E_MEMBERNOTFOUND);
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        return IsChild(child) ? NoText(text, S_FALSE) : standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (!role) return E_POINTER;
        if (!IsSelf(child) && !IsChild(child)) return E_INVALIDARG;
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = IsSelf(child) ? traits_.role : traits_.childRole;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (!state) return E_POINTER;
        if (!IsSelf(child) && !IsChild(child)) return E_INVALIDARG;
        VariantInit(state);
        state->vt = VT_I4;
        state->lVal = State(IsSelf(child));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        return IsChild(child) ? NoText(help, S_FALSE) : standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        return IsChild(child) ? NoText(shortcut, S_FALSE) : standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (IsSelf(child) && traits_.defaultAction) return GiveText(traits_.defaultAction, action);
        if (IsChild(child) && traits_.childAction) return GiveText(traits_.childAction, action);
        if (IsSelf(child) || IsChild(child)) return NoText(action, DISP_E_MEMBERNOTFOUND);
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        return IsChild(child) ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (!IsChild(child) || !traits_.childRect) return standard_->accLocation(left, top, width, height, child);
        if (!left || !top || !width || !height) return E_POINTER;
        RECT box = traits_.childRect(window_, child.lVal);
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&box), 2);
        *left = box.left;
        *top = box.top;
        *width = box.right - box.left;
        *height = box.bottom - box.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (!end) return E_POINTER;
        LONG to = 0;
        if (IsSelf(start) && traits_.childCount > 0 && direction == NAVDIR_FIRSTCHILD) to = 1;
        if (IsSelf(start) && traits_.childCount > 0 && direction == NAVDIR_LASTCHILD) to = traits_.childCount;
        if (IsChild(start) && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)) to = start.lVal + 1;
        if (IsChild(start) && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)) to = start.lVal - 1;
        if (IsSelf(start) && to == 0) return standard_->accNavigate(direction, start, end);
        VariantInit(end);
        if (to < 1 || to > traits_.childCount) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        HRESULT result = standard_->accHitTest(x, y, hit);
        if (result != S_OK || !hit || hit->vt != VT_I4 || hit->lVal != CHILDID_SELF || !traits_.childRect)
            return result;
        POINT at = {x, y};
        ScreenToClient(window_, &at);
        for (LONG c = 1; c <= traits_.childCount; ++c) {
            RECT box = traits_.childRect(window_, c);
            if (PtInRect(&box, at)) hit->lVal = c;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (Gone()) return CO_E_OBJNOTCONNECTED;
        if (!IsWindowEnabled(window_) && (IsSelf(child) || IsChild(child))) return E_FAIL;
        if (IsSelf(child) && traits_.doDefaultAction) {
            traits_.doDefaultAction(window_);
            return S_OK;
        }
        if (IsChild(child) && traits_.doChildAction) {
            traits_.doChildAction(window_, child.lVal);
            return S_OK;
        }
        return IsSelf(child) || IsChild(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // The window was destroyed (its handle may since name another window).
    bool Gone() const { return !IsWindow(window_) || GetClassWord(window_, GCW_ATOM) != windowClass_; }
    static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    bool IsChild(const VARIANT& child) const {
        return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= traits_.childCount;
    }
    static HRESULT NoText(BSTR* out, HRESULT result) {
        if (!out) return E_POINTER;
        *out = nullptr;
        return result;
    }

    LONG State(bool self) const {
        LONG state = 0;
        if (!IsWindowVisible(window_)) state |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(window_)) return state | STATE_SYSTEM_UNAVAILABLE;
        if (self && traits_.focusable) state |= STATE_SYSTEM_FOCUSABLE;
        if (self && GetFocus() == window_) state |= STATE_SYSTEM_FOCUSED;
        return state;
    }

    LONG references_ = 1;
    HWND window_;
    WORD windowClass_;
    IAccessible* standard_;
    const AccessibleTraits& traits_;
};

// Handing the object to a reader in another process marshals it through
// COM, which wants COM on this thread. COM is started on the thread that
// serves the windows (the user-interface thread) and stays for the run; a
// start that failed is tried again at the next request. COM already started
// there by someone else in the other threading model serves as well.
void EnsureComOnThisThread() {
    static DWORD servingThread = 0;
    if (servingThread == GetCurrentThreadId()) return;
    HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(started) || started == RPC_E_CHANGED_MODE) servingThread = GetCurrentThreadId();
}

}  // namespace

LRESULT ServeAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleTraits& traits) {
    // The object id arrives as a 32-bit value, sign-extended or not.
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    EnsureComOnThisThread();
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))) ||
        !standard)
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(ControlAccessible));
    ControlAccessible* object = memory ? new (memory) ControlAccessible(window, standard, traits) : nullptr;
    if (!object) {
        standard->Release();
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    }
    LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();  // the result holds its own reference
    return result;
}

void NotifyAccessibleEvent(HWND window, DWORD event) { NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF); }

void SpokenLabel(const char* label, char* text, int size) {
    if (size <= 0) return;
    int length = 0;
    for (const char* p = label; *p != '\0' && length < size - 1; ++p) {
        if (*p == '&' && p[1] != '&') continue;  // "&&" is one ampersand shown
        if (*p == '&') ++p;
        text[length++] = *p;
    }
    while (length > 0 && (text[length - 1] == ':' || text[length - 1] == ' ')) --length;
    text[length] = '\0';
}
