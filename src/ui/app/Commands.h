#pragma once

// Command ids. The numbers are the program's own and double as help context numbers.
enum ECommandId : int {
    ID_VIEW_CONTROLBAR = 32772,
    ID_PROGRAM_READ = 32773,
    ID_PROGRAM_WRITE = 32774,
    ID_SETUP_COM = 32777,
    ID_EDIT_PRODUCT_INFO = 32786,
    ID_EDIT_CHANNEL_INFO = 32787,
    ID_EDIT_OPTIONAL_FEATURES = 32788,
    ID_EDIT_DTMF = 32789,
    ID_EDIT_MSK = 32790,
    ID_EDIT_2TONE = 32791,
    ID_HELP_TOPICS = 32793,
    ID_SETUP_LANGUAGE = 32799,
    ID_EDIT_KEY_ASSIGNMENT = 32800,
    ID_EDIT_SQUELCH_TUNING = 32801,
    ID_FILE_EXPORT_PDF = 32802,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP = 57670,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

// Control ids that help pages are found by.
enum EControlId : int {
    IDC_CHANNEL_GRID = 1022,
    IDC_LANGUAGE_ENGLISH = 1076,
    IDC_LANGUAGE_CHINESE = 1077,
    IDC_NAVIGATION_TREE = 1030,
};

// Help context of the main window itself (its frame resource).
constexpr int kMainFrameHelpContext = 0x20000 + 128 - 0x10000;
