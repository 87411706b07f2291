#pragma once
// Start-up trace points. Only the benchmark build (OrvantisTrace.exe, which
// compiles start-up and the bar window with QR_STARTUP_TRACE) marks the phases
// of start-up and exit; bench/startup_trace_win.cpp prints them. In the shipped
// program a mark is nothing at all.
#ifdef QR_STARTUP_TRACE
void StartupTraceMark(const char* phase);
#define STARTUP_MARK(phase) StartupTraceMark(phase)
#else
#define STARTUP_MARK(phase) ((void)0)
#endif
