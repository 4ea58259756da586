#pragma once
// The numbers of the string table (StringTable.cpp) that the code shows, one name per number.
// Every caller names a text through this table; a number defined anywhere else would be a
// second name for the same text.

enum : int {
    // Message-box captions. MessageFlagsForCaption adds the icon and buttons of each.
    TextCaptionConfirm = 13,
    TextCaptionWarning = 53,
    TextCaptionInstructions = 54,
    TextCaptionError = 58,
    TextCaptionInformation = 116,

    // The main window's title and the blank entry of the New Database dialog's list.
    TextWindowTitle = 45,
    TextBlank = 72,

    // Pane column titles, and the media types as the attribute pane lists them.
    TextColumnTermId = 17,
    TextColumnAttribute = 18,
    TextColumnValue = 19,
    TextColumnCategoryName = 24,
    TextColumnMedia = 34,
    TextColumnAttributeName = 35,
    TextMediaAscii = 20,
    TextMediaUnicode = 21,

    // Toolbar tooltips.
    TextTooltipNewDatabase = 48,
    TextTooltipOpen = 49,
    TextTooltipSave = 50,
    TextTooltipNewTerm = 51,
    TextTooltipNewCategory = 101,
    TextTooltipNewAsciiAttribute = 102,
    TextTooltipNewUnicodeAttribute = 103,
    TextTooltipHelpContents = 104,
    TextTooltipProperties = 105,
    TextTooltipInputOneTerm = 106,
    TextTooltipInputOneAttribute = 107,
    TextTooltipInputNormal = 108,
    TextTooltipPinyin = 109,
    TextTooltipCut = 111,
    TextTooltipCopy = 112,
    TextTooltipPaste = 113,
    TextTooltipUndo = 280,
    TextTooltipRedo = 281,

    // Status texts: what a command did.
    TextAttributeCreated = 3,
    TextAttributeDeleted = 4,
    TextCategoryCreated = 9,
    TextTermAdded = 11,
    TextTermDeleted = 14,
    TextTemplateOpened = 37,
    TextDatabaseOpened = 38,
    TextDatabaseSaved = 40,
    TextCategoryDeleted = 46,
    TextCategorizationChanged = 69,
    TextBlankCreated = 70,
    TextNormalInput = 74,
    TextOneTermInput = 75,
    TextOneAttributeInput = 76,
    TextPinyinOn = 89,
    TextPinyinOff = 90,
    TextTooLongToEdit = 200,
    TextOneTermImported = 201,
    TextTermsImported = 202, // "%u"
    TextDatabaseExported = 203,

    // Status texts: the backup and the watch on the open file.
    TextBackupFailed = 220,
    TextBackupNotAFile = 221,
    TextBackupFolderShared = 222,
    TextFileChangedStatus = 223,
    TextFileDeletedStatus = 224,
    // A failed file command's path and reason ("%1", "%2").
    TextFailureReason = 241,

    // Questions.
    TextDeleteTermQuestion = 12,
    TextDeleteTermsQuestion = 94,
    TextOverwriteChangedFile = 225, // "%1"
    TextRecreateDeletedFile = 226,  // "%1"

    // After a crash: the question about the work left in the backup, and the status text
    // when there was none to restore.
    TextRestoreLeftWork = 230, // "%1"
    TextLeftWorkUnreadable = 231,

    // Messages: instructions, warnings and failures of the editor.
    TextVerticalFont = 47,
    TextNeedAttribute = 52,
    TextLaunchFailed = 59,
    TextUnicodeIntoAscii = 95,
    TextHelpMissing = 114,
    TextNoMatch = 115,
    TextOutOfMemory = 204,

    // Messages: the model's limits.
    TextTermLimit = 63,
    TextCategoryGroupLimit = 64,
    TextAttributeLimit = 66,
    TextCategoryLimit = 68,

    // Messages: loading, saving and merging database files.
    TextSaveFailed = 39,
    TextLoadFailed = 60,
    TextFileMissing = 61,
    TextTemplateFailed = 71,
    TextFileCorrupt = 91,
    TextUnicodeUnsupported = 92,
    TextNotADatabase = 93,
    TextBadFormat = 99,
    TextBadVersion = 100,
    TextMergeFailed = 117,
    TextTooManyTermsToSave = 118,
    TextNotARegularFile = 240,

    // Messages: imports and exports.
    TextImportFailed = 96,
    TextQuizAppNotFlashcards = 97,
    TextQuizAppUnknownType = 98,
    TextLineHoldsNul = 260,          // "%u"
    TextLineTooManyAttributes = 261, // "%u"
    TextLineTooManyTerms = 262,      // "%u"
    TextCharactersReplaced = 263,    // "%u"
    TextTextsReplaced = 264,         // "%u"

    // Messages: Anki packages, each "%u".
    TextAnkiNotesImported = 300,
    TextAnkiMediaLeftOut = 301,
    TextAnkiCategoriesLeftOut = 302,
    TextAnkiFieldsLeftOut = 303,
    TextAnkiNamesReplaced = 304,
    TextAnkiTooManyNotes = 305,
    // Messages: delimited text and the duplicate policy ("%1", "%2", "%3": grouped numbers).
    TextImportSummary = 320,      // "%1" added, "%2" updated, "%3" skipped
    TextRowsOverLimitSplit = 321, // "%1" rows, "%2" fit
    TextRowsOverLimit = 322,      // "%1" rows, "%2" fit
    TextDelimitedFailed = 323,    // "%1" the line and the reason
    TextAskCategoriesColumn = 324,
    TextSplitWritten = 325, // "%1" databases
    // Pinyin: the style of the tone marks, the pinyin columns of imports and exports.
    TextPinyinColumnsFailed = 350,
    TextPinyinStandardMarks = 351,
    TextPinyinHandheldMarks = 352,
};
