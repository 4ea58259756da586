#pragma once
// Input > Standard Tone Marks: which of the two styles the pinyin conversion writes while
// the user types (text/PinyinStyle.h), kept in the settings. Handheld until switched.

// Switches the style, saves the settings and says which style is on in the status bar.
int TogglePinyinStyle();
// The menu item's mark from the settings; disabled where the conversion is.
void UpdatePinyinStyleMark();
