#pragma once
// Command numbers: every menu item, context item, toolbar button and accelerator carries
// one, and ExecuteCommand acts on it.

enum : int {
    CmdSaveAs = 40005,
    CmdExit = 40006,
    CmdHelpContents = 40007,
    CmdAbout = 40010,
    CmdNewDatabase = 40011,
    CmdOpen = 40012,
    CmdSave = 40014,
    CmdDelete = 40042,
    CmdFont = 40047,
    CmdNewTerm = 40058,
    CmdInputNormal = 40061,
    CmdInputOneTerm = 40062,
    CmdInputOneAttribute = 40063,
    CmdPinyin = 40064,
    CmdCopy = 40068,
    CmdPaste = 40069,
    CmdCut = 40070,
    CmdTermNew = 40071,
    CmdTermCut = 40072,
    CmdTermCopy = 40073,
    CmdTermPaste = 40074,
    CmdTermDelete = 40075,
    CmdImportErgane = 40076,
    CmdProperties = 40077,
    CmdNewCategory = 40078,
    CmdNewAsciiAttribute = 40079,
    CmdCategoryNew = 40080,
    CmdCategoryDelete = 40081,
    CmdAttributeNewAscii = 40082,
    CmdAttributeDelete = 40083,
    CmdMerge = 40084,
    CmdSelectMembers = 40085,
    CmdAttributeNewUnicode = 40086,
    CmdNewUnicodeAttribute = 40087,
    CmdImportQuizApp = 40088,
    CmdImportTabDelimited = 40092,
    CmdHomePage = 40096,
    CmdFindNext = 40099,
    CmdFind = 40100,
    CmdDownload = 40102,
    CmdExportTabDelimited = 40104,
    CmdImportVeskText = 40105,
    CmdExportVeskText = 40106,
    CmdUndo = 40200,
    CmdRedo = 40201,
    CmdImportDelimited = 40310,
    CmdImportTabWithOptions = 40311,
    CmdExportDelimited = 40312,
    CmdRecentFirst = 1124,
    CmdDisplayAttributeFirst = 1224,
    // Imports may bring more attributes than the editor creates; the numbers below the
    // first menu command are theirs.
    CmdDisplayAttributeEnd = 40000,
    // Welcome dialog results that are not commands themselves.
    WelcomeOpenRecent = 1013,
    WelcomeQuit = 1014,
};

// Toolbar button states.
enum : int {
    ButtonDisabled = 0,
    ButtonEnabled = 4,
    ButtonMarked = 6,
};
