// A dialog on the started game, for the benchmarks of a dialog's timer: the
// headless host, the dialog made from its template, and the previous port
// put back when the benchmark ends.
#pragma once

#include <memory>

#include "bench/bench_support.h"
#include "resources/dialog_templates.h"
#include "tools/headless/headless_host.h"

class DialogBench {
public:
    DialogBench() : previous_(port) { FreshGame(host); }
    ~DialogBench() {
        host.messages.clear();
        port = previous_;
    }
    DialogBench(const DialogBench&) = delete;
    DialogBench& operator=(const DialogBench&) = delete;

    // Opens the dialog once the world is set up as the benchmark needs it.
    HeadlessDialog& Open(int resourceId, DialogProc proc) {
        dialog_ = std::make_unique<HeadlessDialog>(*FindDialogTemplate(resourceId), proc, host);
        dialog_->Start();
        return *dialog_;
    }

    HeadlessHost host;

private:
    Port* previous_;
    std::unique_ptr<HeadlessDialog> dialog_;
};
