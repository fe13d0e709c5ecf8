// Message processing of each headless control class; each returns false for
// a message it leaves to the processing all windows share.
#pragma once

#include "framework/headless/HlWindow.h"

bool HlButtonProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
bool HlEditProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
bool HlComboBoxProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
bool HlListBoxProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
bool HlListViewProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
bool HlProgressProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
bool HlIpAddressProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
bool HlToolTipProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

// Sets the IP address fields from dotted text; an empty field is blank.
void HlSetIpText(CHlWindow& wnd, const char* pszText);
