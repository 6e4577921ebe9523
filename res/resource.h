// Resource identifiers shared by the dialogs, the icons and the string table.
#pragma once

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_EDITOR_DIALOG = 102;
inline constexpr int IDD_IMPORT_IMAGE = 103;
inline constexpr int IDD_ALL_SLOTS = 104;
inline constexpr int IDD_CHOOSE_CONTACT = 105;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDI_NO_PICTURE = 131;

inline constexpr int IDC_OPEN_PACK = 1001;
inline constexpr int IDC_SAVE_PACK = 1002;
inline constexpr int IDC_CONTACT_LIST = 1003;
inline constexpr int IDC_ID_EDIT = 1004;
inline constexpr int IDC_SET_ID = 1005;
inline constexpr int IDC_SET_PICTURE = 1006;
inline constexpr int IDC_PREVIEW = 1007;
inline constexpr int IDC_NEW_PACK = 1008;
inline constexpr int IDC_REMOVE_CONTACT = 1009;

// The Import Image dialog's controls.
inline constexpr int IDC_CROP_VIEW = 1101;
inline constexpr int IDC_RESULT_ACTUAL = 1102;
inline constexpr int IDC_RESULT_ENLARGED = 1103;
inline constexpr int IDC_BRIGHTNESS = 1104;
inline constexpr int IDC_CONTRAST = 1105;
inline constexpr int IDC_GAMMA = 1106;
inline constexpr int IDC_INVERT = 1107;
inline constexpr int IDC_DITHERING = 1108;
inline constexpr int IDC_BRIGHTNESS_VALUE = 1109;
inline constexpr int IDC_CONTRAST_VALUE = 1110;
inline constexpr int IDC_GAMMA_VALUE = 1111;
inline constexpr int IDC_AUTO_LEVELS = 1120;
inline constexpr int IDC_SHARPEN = 1121;
inline constexpr int IDC_SHARPEN_VALUE = 1122;
inline constexpr int IDC_FIND_FACE = 1123;
inline constexpr int IDC_IMPORT_STATUS = 1124;
inline constexpr int IDC_FACE_STATUS = 1125;
inline constexpr int IDC_IMPORT_RESET = 1126;

// The All Slots dialog's controls.
inline constexpr int IDC_SLOT_GRID = 1201;
inline constexpr int IDC_SAVE_SHEET = 1202;

// Choose Contact.
inline constexpr int IDC_CONTACT_FILTER = 1301;
inline constexpr int IDC_CONTACT_CARDS = 1302;

// Controls that no code addresses share this identifier.
inline constexpr int IDC_STATIC = -1;

inline constexpr unsigned IDM_ABOUTBOX = 0x10;

// Commands of the editor's shortcut keys and menus.
inline constexpr unsigned IDM_NEW_PACK = 0x100;
inline constexpr unsigned IDM_OPEN_PACK = 0x101;
inline constexpr unsigned IDM_SAVE_PACK = 0x102;
inline constexpr unsigned IDM_REMOVE_CONTACT = 0x103;
inline constexpr unsigned IDM_EDIT_ID = 0x104;
inline constexpr unsigned IDM_CLOSE = 0x105;
inline constexpr unsigned IDM_UNDO = 0x106;
inline constexpr unsigned IDM_REDO = 0x107;
inline constexpr unsigned IDM_MOVE_UP = 0x108;
inline constexpr unsigned IDM_MOVE_DOWN = 0x109;

// Picture commands, from the list's menu and shortcut keys. They are spaced by 16 because the
// window menu compares only the upper bits of a command, and "Export All Pictures..." is there
// too.
inline constexpr unsigned IDM_IMPORT_IMAGE = 0x200;
inline constexpr unsigned IDM_PASTE_PICTURE = 0x210;
inline constexpr unsigned IDM_COPY_PICTURE = 0x220;
inline constexpr unsigned IDM_EXPORT_PICTURE = 0x230;
inline constexpr unsigned IDM_EXPORT_ALL = 0x240;
// In the window menu as well.
inline constexpr unsigned IDM_SHOW_ALL_SLOTS = 0x250;
