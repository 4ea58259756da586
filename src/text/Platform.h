#pragma once
// Application-wide facts about the platform, set once at start-up.

// True where windows show and edit UTF-16 text. Qt is Unicode throughout, so it stays true
// in the editor; the paths that depend on it are kept and tested with it false.
extern bool UnicodePlatform;
