// A modal dialog of the game on Windows: its template built in memory from
// the game's dialog templates, its controls at the template's pixels, its
// one timer and the surface its procedure draws on.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "resources/dialog_templates.h"
#include "shell/win32/win_api.h"
#include "shell/win32/win_canvas.h"
#include "shell/win32/win_shell.h"
#include "world/port.h"

// A DLGTEMPLATE and its items, written as the dialog manager reads them.
class TemplateWriter {
public:
    void Word(WORD w) { words_.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const std::wstring& s) {
        for (wchar_t c : s) Word(static_cast<WORD>(c));
        Word(0);
    }
    void Ordinal(WORD value) {
        Word(0xFFFF);
        Word(value);
    }
    void AlignDword() {
        if (words_.size() % 2) Word(0);
    }
    const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

class WinDialog : public DialogHost {
public:
    WinDialog(const DialogTemplate& t, DialogProc proc) : t_(t), proc_(proc) {}
    ~WinDialog() override { StopTimer(); }
    int ResourceId() const override { return t_.id; }
    std::string ItemText(int id) override;
    void SetItemText(int id, const char* text) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    void StartTimer(int intervalMs) override {
        if (hwnd_) ::SetTimer(hwnd_, WINDOW_TIMER, static_cast<UINT>(std::max(intervalMs, 1)), nullptr);
    }
    void StopTimer() override {
        if (hwnd_) ::KillTimer(hwnd_, WINDOW_TIMER);
    }
    void Close(int result) override {
        StopTimer();
        if (closed_) return;
        closed_ = true;
        result_ = result;
        if (hwnd_) EndDialog(hwnd_, result);
    }
    Canvas* GetCanvas() override { return view_.get(); }
    void Present() override {
        if (canvasWindow_) InvalidateRect(canvasWindow_, nullptr, FALSE);
    }
    int closedResult() const { return result_; }
    HWND hwnd() const { return hwnd_; }
    const ControlTemplate* Control(int id) const { return t_.Control(id); }

    // The template in memory, controls in the order the dialog manager
    // creates them.
    void Build(TemplateWriter& out);
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void Start(HWND hwnd);
    // Once the program is quitting, no procedure runs again: the nested
    // loops are unwinding and what they would start is never shown.
    void Send(DialogEvent event, int id) {
        if (!winPort.quitting() && !closed_) proc_(*this, event, id);
    }
    const DialogTemplate& t_;
    DialogProc proc_;
    HWND hwnd_ = nullptr;
    std::vector<const ControlTemplate*> order_;   // creation order
    HWND canvasWindow_ = nullptr;
    std::unique_ptr<GdiSurface> surface_;
    std::unique_ptr<OffsetCanvas> view_;
    bool closed_ = false;
    int result_ = 0;
};
