// Modal dialogs: built from the shipped templates, run by a test's script in
// place of the user, ended by endDialog, destroyed with their controls.
#include "platform/sim/dialog_internals.h"
#include "platform/sim/state.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace tg::platform {
namespace {

using namespace sim::detail;

constexpr DWORD kErrorControlIdNotFound = 1421;
constexpr DWORD kErrorResourceNameNotFound = 1814;

std::uintptr_t keyOf(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

ControlKind kindOf(const std::string& className) {
    std::string lower;
    for (char c : className)
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    if (lower == "button") return ControlKind::Button;
    if (lower == "edit") return ControlKind::Edit;
    if (lower == "static") return ControlKind::Static;
    if (lower == "listbox") return ControlKind::ListBox;
    if (lower == "combobox") return ControlKind::ComboBox;
    if (lower == "msctls_updown32") return ControlKind::UpDown;
    return ControlKind::Unknown;
}

// What DefDlgProc does with what the dialog procedure left alone.
LRESULT TG_CALLBACK dialogWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DLGPROC procedure = nullptr;
    {
        State& s = state();
        Lock lock(s.mutex);
        if (Dialog* dialog = findDialog(s, window)) procedure = dialog->procedure;
    }
    if (procedure != nullptr) {
        const INT_PTR handled = procedure(window, message, wParam, lParam);
        if (handled != 0 || message == WM_INITDIALOG) return handled;
    }
    if (message == WM_CLOSE) {
        postMessage(window, WM_COMMAND, IDCANCEL | (static_cast<WPARAM>(BN_CLICKED) << 16),
                    reinterpret_cast<LPARAM>(getDlgItem(window, IDCANCEL)));
        return 0;
    }
    return defWindowProc(window, message, wParam, lParam);
}

HWND createDialog(const sim::DialogTemplate& source, HWND parent, DLGPROC procedure) {
    HWND dialog = createWindow(dialogWindowProcedure, source.caption.c_str());
    std::vector<HWND> controls;
    for (const sim::ControlTemplate& c : source.controls) {
        const ControlKind kind = kindOf(c.className);
        HWND control = createWindow(controlProcedure(kind), c.text.c_str());
        controls.push_back(control);
        State& s = state();
        Lock lock(s.mutex);
        Control& record = s.controls[keyOf(control)];
        record.dialog = dialog;
        record.id = c.id;
        record.kind = kind;
        record.source = &c;
        record.style = c.style;
        if (Window* w = liveWindow(s, control, "createDialog")) {
            w->visible = (c.style & WS_VISIBLE) != 0;
            w->enabled = (c.style & WS_DISABLED) == 0;
        }
        if (kind == ControlKind::Unknown)
            fault(s, "dialog " + std::to_string(source.id) + ": control " + std::to_string(c.id) +
                         " has the unknown class \"" + c.className + "\"");
    }
    State& s = state();
    Lock lock(s.mutex);
    Dialog& record = s.dialogs[keyOf(dialog)];
    record.templateId = source.id;
    record.parent = parent;
    record.procedure = procedure;
    record.controls = std::move(controls);
    s.dialogStack.push_back(dialog);
    return dialog;
}

HWND firstTabStop(HWND dialog) {
    State& s = state();
    Lock lock(s.mutex);
    Dialog* d = findDialog(s, dialog);
    if (d == nullptr) return nullptr;
    for (HWND control : d->controls) {
        Control* c = findControl(s, control);
        Window* w = liveWindow(s, control, "firstTabStop");
        if (c != nullptr && w != nullptr && (c->style & WS_TABSTOP) != 0 && w->visible &&
            w->enabled)
            return control;
    }
    return nullptr;
}

bool hasEnded(HWND dialog) {
    State& s = state();
    Lock lock(s.mutex);
    Dialog* d = findDialog(s, dialog);
    return d == nullptr || d->ended;
}

void destroyDialog(HWND dialog) {
    std::vector<HWND> controls;
    {
        State& s = state();
        Lock lock(s.mutex);
        if (Dialog* d = findDialog(s, dialog)) controls = d->controls;
    }
    // WM_DESTROY reaches the dialog first, then its controls, as on Windows.
    destroyWindow(dialog);
    for (HWND control : controls)
        if (isWindow(control)) destroyWindow(control);
    State& s = state();
    Lock lock(s.mutex);
    for (HWND control : controls) s.controls.erase(keyOf(control));
    s.dialogs.erase(keyOf(dialog));
    s.dialogStack.erase(std::remove(s.dialogStack.begin(), s.dialogStack.end(), dialog),
                        s.dialogStack.end());
}

sim::ControlView viewOf(State& s, HWND control) {
    sim::ControlView view;
    Control* c = findControl(s, control);
    Window* w = liveWindow(s, control, "controlView");
    if (c == nullptr || w == nullptr) return view;
    view.id = c->id;
    if (c->source != nullptr) {
        view.className = c->source->className;
        view.x = c->source->x;
        view.y = c->source->y;
        view.cx = c->source->cx;
        view.cy = c->source->cy;
    }
    view.style = c->style;
    view.text = w->text;
    view.visible = w->visible;
    view.enabled = w->enabled;
    view.check = c->check;
    for (const ControlItem& item : c->items) {
        view.items.push_back(item.text);
        view.itemData.push_back(item.data);
    }
    view.selection = c->selection;
    view.rangeLower = c->rangeLower;
    view.rangeUpper = c->rangeUpper;
    view.position = c->position;
    view.selectionStart = c->selectionStart;
    view.selectionEnd = c->selectionEnd;
    view.textLimit = c->textLimit;
    return view;
}

} // namespace

namespace sim::detail {

Control* findControl(State& s, HWND window) {
    auto found = s.controls.find(keyOf(window));
    return found == s.controls.end() ? nullptr : &found->second;
}

Dialog* findDialog(State& s, HWND window) {
    auto found = s.dialogs.find(keyOf(window));
    return found == s.dialogs.end() ? nullptr : &found->second;
}

void moveFocus(HWND dialog, HWND control) {
    HWND previous = nullptr;
    {
        State& s = state();
        Lock lock(s.mutex);
        Dialog* d = findDialog(s, dialog);
        if (d == nullptr || d->focus == control) return;
        previous = d->focus;
        d->focus = control;
    }
    if (previous != nullptr && isWindow(previous))
        sendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(control), 0);
    if (control != nullptr)
        sendMessage(control, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
}

void notifyParent(HWND control, WORD code) {
    HWND dialog = nullptr;
    int id = 0;
    {
        State& s = state();
        Lock lock(s.mutex);
        Control* c = findControl(s, control);
        if (c == nullptr) return;
        dialog = c->dialog;
        id = c->id;
    }
    if (dialog != nullptr && isWindow(dialog))
        sendMessage(dialog, WM_COMMAND, static_cast<WORD>(id) | (static_cast<WPARAM>(code) << 16),
                    reinterpret_cast<LPARAM>(control));
}

} // namespace sim::detail

INT_PTR dialogBoxParam(HINSTANCE, int templateId, HWND parent, DLGPROC procedure, LPARAM param) {
    const sim::ResourceScript& script = sim::shippedResources();
    const sim::DialogTemplate* source = sim::findDialogTemplate(templateId);
    if (source == nullptr || procedure == nullptr) {
        State& s = state();
        Lock lock(s.mutex);
        if (!script.error.empty())
            fault(s, "dialogBoxParam: the resource script does not parse: " + script.error);
        else
            fault(s, "dialogBoxParam: no dialog template " + std::to_string(templateId));
        setLastError(kErrorResourceNameNotFound);
        return -1;
    }
    if (parent != nullptr && !isWindow(parent)) {
        State& s = state();
        Lock lock(s.mutex);
        liveWindow(s, parent, "dialogBoxParam");
        return -1;
    }

    HWND dialog = createDialog(*source, parent, procedure);
    HWND first = firstTabStop(dialog);
    if (sendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) != 0 &&
        !hasEnded(dialog))
        moveFocus(dialog, first);
    sim::pump();

    if (!hasEnded(dialog)) {
        sim::DialogScript user;
        {
            State& s = state();
            Lock lock(s.mutex);
            auto& queue = s.dialogScripts[templateId];
            if (!queue.empty()) {
                user = std::move(queue.front());
                queue.pop_front();
            }
        }
        if (user) user(dialog);
    }
    if (!hasEnded(dialog)) {
        // The user gives up with Esc.
        sendMessage(dialog, WM_COMMAND, IDCANCEL | (static_cast<WPARAM>(BN_CLICKED) << 16),
                    reinterpret_cast<LPARAM>(getDlgItem(dialog, IDCANCEL)));
        sim::pump();
    }
    INT_PTR result = 0;
    {
        State& s = state();
        Lock lock(s.mutex);
        Dialog* d = findDialog(s, dialog);
        if (d != nullptr && !d->ended)
            fault(s, "dialog " + std::to_string(templateId) +
                         " is still open after its script and Esc: the user could not close it");
        if (d != nullptr) result = d->ended ? d->result : 0;
    }
    destroyDialog(dialog);
    State& s = state();
    Lock lock(s.mutex);
    s.dialogRuns.push_back({templateId, parent, result});
    return result;
}

BOOL endDialog(HWND dialog, INT_PTR result) {
    bool endsNow = false;
    {
        State& s = state();
        Lock lock(s.mutex);
        Dialog* d = findDialog(s, dialog);
        if (d == nullptr) {
            if (liveWindow(s, dialog, "endDialog") != nullptr)
                fault(s, "endDialog: window " + handleText(dialog) + " is not a dialog");
            return FALSE;
        }
        // A second call before the dialog is gone changes the answer: the last one counts.
        d->result = result;
        if (!d->ended) {
            d->ended = true;
            endsNow = true;
        }
    }
    // As user32 does, within the call: the focus goes from its control to the
    // dialog itself, and the control tells the dialog it lost it.
    if (endsNow) sim::detail::moveFocus(dialog, nullptr);
    return TRUE;
}

HWND getDlgItem(HWND dialog, int id) {
    State& s = state();
    Lock lock(s.mutex);
    if (liveWindow(s, dialog, "getDlgItem") == nullptr) return nullptr;
    if (Dialog* d = findDialog(s, dialog))
        for (HWND control : d->controls)
            if (Control* c = findControl(s, control); c != nullptr && c->id == id) return control;
    setLastError(kErrorControlIdNotFound);
    return nullptr;
}

LRESULT sendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = getDlgItem(dialog, id);
    return control != nullptr ? sendMessage(control, message, wParam, lParam) : 0;
}

BOOL setDlgItemText(HWND dialog, int id, const char* text) {
    HWND control = getDlgItem(dialog, id);
    return control != nullptr ? setWindowText(control, text) : FALSE;
}

UINT getDlgItemText(HWND dialog, int id, char* buffer, int maxCount) {
    if (buffer != nullptr && maxCount > 0) buffer[0] = '\0';
    HWND control = getDlgItem(dialog, id);
    return control != nullptr ? static_cast<UINT>(getWindowText(control, buffer, maxCount)) : 0;
}

BOOL checkDlgButton(HWND dialog, int id, UINT check) {
    HWND control = getDlgItem(dialog, id);
    if (control == nullptr) return FALSE;
    sendMessage(control, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT isDlgButtonChecked(HWND dialog, int id) {
    HWND control = getDlgItem(dialog, id);
    return control != nullptr ? static_cast<UINT>(sendMessage(control, BM_GETCHECK, 0, 0)) : 0;
}

BOOL showWindow(HWND window, int command) {
    bool wasVisible = false;
    HWND dialog = nullptr;
    bool losesFocus = false;
    {
        State& s = state();
        Lock lock(s.mutex);
        Window* w = liveWindow(s, window, "showWindow");
        if (w == nullptr) return FALSE;
        wasVisible = w->visible;
        w->visible = command != SW_HIDE;
        if (Control* c = findControl(s, window)) {
            c->style = w->visible ? (c->style | WS_VISIBLE) : (c->style & ~WS_VISIBLE);
            Dialog* d = findDialog(s, c->dialog);
            losesFocus = !w->visible && d != nullptr && d->focus == window;
            dialog = c->dialog;
        }
    }
    // A hidden or disabled control cannot keep the focus.
    if (losesFocus) sim::detail::moveFocus(dialog, nullptr);
    return wasVisible ? TRUE : FALSE;
}

BOOL enableWindow(HWND window, BOOL enable) {
    bool wasDisabled = false;
    HWND dialog = nullptr;
    bool losesFocus = false;
    {
        State& s = state();
        Lock lock(s.mutex);
        Window* w = liveWindow(s, window, "enableWindow");
        if (w == nullptr) return FALSE;
        wasDisabled = !w->enabled;
        w->enabled = enable != FALSE;
        if (Control* c = findControl(s, window)) {
            c->style = w->enabled ? (c->style & ~WS_DISABLED) : (c->style | WS_DISABLED);
            Dialog* d = findDialog(s, c->dialog);
            losesFocus = !w->enabled && d != nullptr && d->focus == window;
            dialog = c->dialog;
        }
    }
    if (losesFocus) sim::detail::moveFocus(dialog, nullptr);
    return wasDisabled ? TRUE : FALSE;
}

void* heapAllocZeroed(std::size_t size) {
    void* block = std::calloc(size == 0 ? 1 : size, 1);
    if (block == nullptr) return nullptr;
    State& s = state();
    Lock lock(s.mutex);
    s.heapBlocks.insert(block);
    return block;
}

BOOL heapFree(void* memory) {
    if (memory == nullptr) return TRUE;
    State& s = state();
    Lock lock(s.mutex);
    if (s.heapBlocks.erase(memory) == 0) {
        fault(s, "heapFree: " + handleText(memory) + " is not a live heap block");
        return FALSE;
    }
    std::free(memory);
    return TRUE;
}

namespace sim {

void onDialog(int templateId, DialogScript script) {
    State& s = state();
    Lock lock(s.mutex);
    s.dialogScripts[templateId].push_back(std::move(script));
}

const std::vector<DialogRun>& dialogRuns() {
    return state().dialogRuns;
}

std::vector<HWND> openDialogs() {
    State& s = state();
    Lock lock(s.mutex);
    return s.dialogStack;
}

ControlView controlView(HWND dialog, int id) {
    HWND control = getDlgItem(dialog, id);
    State& s = state();
    Lock lock(s.mutex);
    if (findControl(s, control) == nullptr) {
        fault(s, "controlView: dialog " + handleText(dialog) + " has no control " +
                     std::to_string(id));
        return {};
    }
    return viewOf(s, control);
}

std::vector<ControlView> controlViews(HWND dialog) {
    State& s = state();
    Lock lock(s.mutex);
    std::vector<ControlView> views;
    if (Dialog* d = findDialog(s, dialog))
        for (HWND control : d->controls) views.push_back(viewOf(s, control));
    return views;
}

HWND focusedControl(HWND dialog) {
    State& s = state();
    Lock lock(s.mutex);
    Dialog* d = findDialog(s, dialog);
    return d != nullptr ? d->focus : nullptr;
}

int liveHeapBlocks() {
    State& s = state();
    Lock lock(s.mutex);
    return static_cast<int>(s.heapBlocks.size());
}

} // namespace sim
} // namespace tg::platform
