// The screen's dots per inch as the system gives them to this program: the system's, a
// window's (its monitor's, for a per-monitor aware program), and the frame and metrics of a
// window at a given dpi. Windows older than 10 lack the per-window calls: there every window
// has the system's dpi.
#pragma once

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

int SystemDpi();
int WindowDpi(HWND window);
// AdjustWindowRectEx for a window shown at dpi.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// GetSystemMetrics as a window shown at dpi sees it.
int SystemMetricForDpi(int index, int dpi);
