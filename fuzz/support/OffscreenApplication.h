#pragma once

// What every fuzz target with widgets needs. Include it from the target's one source file.
#include <QApplication>

// The system's font configuration keeps a few blocks from its one-time set-up for ever.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

namespace fuzz {

// Qt's offscreen platform, and an application that lives for the whole run.
inline void StartOffscreenApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
}

}  // namespace fuzz
