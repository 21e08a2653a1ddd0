#pragma once
// A Qt application for programs that show nothing on a screen (benchmarks, tools): made
// once per process on the offscreen platform, so the renderer can mirror forms into real
// widgets without a display. Main thread only.

namespace feriant::ui_qt {

// Makes the process's application on the offscreen platform unless one exists already.
void StartOffscreenApplication();

// One turn of the event loop: posted layouts and updates are carried out now.
void ProcessPendingEvents();

}  // namespace feriant::ui_qt
