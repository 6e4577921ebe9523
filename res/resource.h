// Resource identifiers shared by the dialogs, the icons and the string table.
#pragma once

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_EDITOR_DIALOG = 102;
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

// Controls that no code addresses share this identifier.
inline constexpr int IDC_STATIC = -1;

inline constexpr unsigned IDM_ABOUTBOX = 0x10;
