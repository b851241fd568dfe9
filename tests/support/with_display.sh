#!/bin/bash
# Runs a test that needs a real X server (the browser engine does not start on the offscreen
# platform): on the display there is, else under xvfb-run. Without either the test runs on the
# offscreen platform and skips itself.
if [ "$(id -u)" -eq 0 ]; then
    # Chromium cannot sandbox its renderers for root.
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
# Software drawing only: a virtual display has no GPU, and the GL driver Qt would load for it
# leaves allocations of an unloaded library behind.
export QT_XCB_GL_INTEGRATION=none
# LeakSanitizer's scan of thread-local storage at exit now and then crashes on the engine's threads;
# it scans the other roots. (What the engine and GLib keep only there is suppressed in lsan.supp.)
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}use_tls=0"
if [ -n "$DISPLAY" ]; then
    exec env QT_QPA_PLATFORM=xcb "$@"
elif command -v xvfb-run >/dev/null 2>&1; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$@"
else
    exec "$@"
fi
