// Work of the start that does not need the application: begun on another
// thread as the very first thing, so that it is done by the time the first
// text is drawn.
#pragma once

#include <thread>

class EarlyStart {
public:
    // Reads the font configuration (the slowest single step of the start).
    EarlyStart();
    ~EarlyStart();
    EarlyStart(const EarlyStart&) = delete;
    EarlyStart& operator=(const EarlyStart&) = delete;

private:
    std::thread fonts_;
};
