#include "shell/win32/win_dialog.h"

#include <algorithm>
#include <cstdlib>

#include "shell/win32/win_shell.h"
#include "shell/win32/win_text.h"

namespace {
bool IsButtonKind(ControlKind kind) {
    return kind == CTL_BUTTON || kind == CTL_DEFBUTTON || kind == CTL_RADIO || kind == CTL_CHECK;
}

// Dialog units for the template; the controls are put at their exact pixels
// when the dialog starts, whatever the font's base units come to.
short Units(int pixels) { return static_cast<short>(pixels * 2 / 3); }

}  // namespace

void WinDialog::Build(TemplateWriter& out) {
    // Group boxes last: at the bottom of the order they never cover the
    // controls they frame.
    order_.clear();
    for (const ControlTemplate& c : t_.controls)
        if (c.kind != CTL_GROUP) order_.push_back(&c);
    for (const ControlTemplate& c : t_.controls)
        if (c.kind == CTL_GROUP) order_.push_back(&c);

    const std::wstring face = gdiDrawing.DialogFace(FromCp932(t_.fontFace));
    out.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    out.Dword(0);
    out.Word(static_cast<WORD>(order_.size()));
    out.Word(0);
    out.Word(0);
    out.Word(static_cast<WORD>(Units(t_.width)));
    out.Word(static_cast<WORD>(Units(t_.height)));
    out.Word(0);   // no menu
    out.Word(0);   // the dialog class
    out.Text(FromCp932(t_.title));
    out.Word(static_cast<WORD>(t_.fontPoints > 0 ? t_.fontPoints : 9));
    out.Text(face);

    bool previousRadio = false;
    for (const ControlTemplate* c : order_) {
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        WORD atom = 0x0082;   // static
        std::wstring title = FromCp932(c->label);
        WORD imageOrdinal = 0;
        const wchar_t* className = nullptr;
        switch (c->kind) {
            case CTL_TEXT: style |= SS_LEFT; break;
            case CTL_EDIT:
            case CTL_READONLY:
                atom = 0x0081;
                style |= ES_AUTOHSCROLL | ES_LEFT;
                exStyle |= WS_EX_CLIENTEDGE;
                // Tab and the opening focus go to what the player can use.
                if (c->kind == CTL_READONLY) {
                    style |= ES_READONLY;
                } else {
                    style |= WS_TABSTOP;
                }
                title.clear();
                break;
            case CTL_BUTTON: atom = 0x0080; style |= BS_PUSHBUTTON | WS_TABSTOP; break;
            case CTL_DEFBUTTON: atom = 0x0080; style |= BS_DEFPUSHBUTTON | WS_TABSTOP; break;
            case CTL_RADIO: atom = 0x0080; style |= BS_AUTORADIOBUTTON; break;
            case CTL_CHECK: atom = 0x0080; style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
            case CTL_GROUP: atom = 0x0080; style |= BS_GROUPBOX; break;
            case CTL_PICTURE:
                // The program icon or a bitmap of the program's resources.
                imageOrdinal = static_cast<WORD>(std::atoi(c->label.c_str()));
                style |= imageOrdinal == PROGRAM_ICON ? SS_ICON : SS_BITMAP;
                break;
            case CTL_CANVAS: className = CANVAS_CLASS; break;
        }
        // The radio buttons of a dialog are one group, as they are to the
        // procedures: a run of them starts a group, and so does what follows.
        const bool radio = c->kind == CTL_RADIO;
        if (radio != previousRadio) style |= WS_GROUP | (radio ? WS_TABSTOP : 0);
        previousRadio = radio;

        out.AlignDword();
        out.Dword(style);
        out.Dword(exStyle);
        out.Word(static_cast<WORD>(Units(c->x)));
        out.Word(static_cast<WORD>(Units(c->y)));
        out.Word(static_cast<WORD>(Units(c->width)));
        out.Word(static_cast<WORD>(Units(c->height)));
        out.Word(c->kind == CTL_CANVAS && c->id < 0 ? CANVAS_ITEM_ID : static_cast<WORD>(c->id));
        if (className) {
            out.Text(className);
        } else {
            out.Ordinal(atom);
        }
        if (imageOrdinal) {
            out.Ordinal(imageOrdinal);
        } else {
            out.Text(title);
        }
        out.Word(0);   // no creation data
    }
}

void WinDialog::Start(HWND hwnd) {
    hwnd_ = hwnd;
    // The template's pixels, exactly: the client area and every control.
    RECT frame = {0, 0, t_.width, t_.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    // Centred over the window it belongs to, as the other host centres it.
    RECT over;
    HWND owner = GetWindow(hwnd, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &over)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    const int x = std::max<int>(0, (over.left + over.right - w) / 2);
    const int y = std::max<int>(0, (over.top + over.bottom - h) / 2);
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND child = GetWindow(hwnd, GW_CHILD);
    for (const ControlTemplate* c : order_) {
        if (!child) break;
        MoveWindow(child, c->x, c->y, c->width, c->height, FALSE);
        if (c->kind == CTL_CANVAS && !surface_) {
            surface_ = std::make_unique<GdiSurface>(c->width, c->height, GetSysColor(COLOR_BTNFACE));
            if (surface_->ok()) {
                canvasWindow_ = child;
                SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(surface_.get()));
                // The procedure draws in dialog coordinates.
                view_ = std::make_unique<OffsetCanvas>(*surface_, c->x, c->y);
            }
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    Send(DLG_INIT, 0);
    Send(DLG_PAINT, 0);
}

INT_PTR CALLBACK WinDialog::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<WinDialog*>(lParam)->Start(hwnd);
        return TRUE;
    }
    auto* dialog = reinterpret_cast<WinDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!dialog) return FALSE;
    switch (msg) {
        case WM_COMMAND: {
            // Buttons, and Escape or the close box as command 2, which the
            // procedure decides; an edit's notifications are not commands.
            const int id = LOWORD(wParam);
            const ControlTemplate* c = dialog->Control(id);
            if (HIWORD(wParam) == BN_CLICKED && (id == IDCANCEL || (c && IsButtonKind(c->kind)))) {
                dialog->Send(DLG_COMMAND, id);
            }
            return TRUE;
        }
        case WM_TIMER:
            if (wParam == WINDOW_TIMER) dialog->Send(DLG_TIMER, 0);
            return TRUE;
        case WM_DESTROY:
            dialog->StopTimer();
            dialog->hwnd_ = nullptr;
            return FALSE;
        default: return FALSE;
    }
}

std::string WinDialog::ItemText(int id) {
    const ControlTemplate* c = Control(id);
    if (!hwnd_ || !c || (c->kind != CTL_EDIT && c->kind != CTL_READONLY)) return std::string();
    HWND edit = GetDlgItem(hwnd_, id);
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(GetWindowTextW(edit, text.data(), length + 1), 0)));
    bool ok = true;
    std::string bytes = ToCp932(text, &ok);
    // A character without a code page 932 form comes back as a control byte,
    // which the procedures refuse as text that is not valid.
    if (!ok) bytes.push_back('\x01');
    return bytes;
}

void WinDialog::SetItemText(int id, const char* text) {
    if (hwnd_ && Control(id)) SetDlgItemTextW(hwnd_, id, FromCp932(text).c_str());
}

bool WinDialog::IsChecked(int id) {
    const ControlTemplate* c = Control(id);
    if (!hwnd_ || !c || (c->kind != CTL_RADIO && c->kind != CTL_CHECK)) return false;
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void WinDialog::SetChecked(int id, bool checked) {
    const ControlTemplate* c = Control(id);
    if (!hwnd_ || !c || !IsButtonKind(c->kind)) return;
    // Checking a radio button clears the others of the dialog, as a click does.
    if (checked && c->kind == CTL_RADIO) {
        for (const ControlTemplate& other : t_.controls)
            if (other.kind == CTL_RADIO && other.id != id) CheckDlgButton(hwnd_, other.id, BST_UNCHECKED);
    }
    CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}
