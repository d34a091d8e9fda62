// Saves what a window shows as a PNG file (GDI+ must be running).
#pragma once
#include <windows.h>
#include <string>

bool SaveWindowAsPng(HWND hWnd, const std::wstring& path, std::wstring& error);
