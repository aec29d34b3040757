// Works the system's common file dialogs and message boxes from outside for the profile tests.
//   FileDialogDriver children TITLE           lists every control of the dialog: id class "text"
//   FileDialogDriver choose TITLE PATH        types PATH into the file-name field and presses OK
//   FileDialogDriver press TITLE ID           presses a button (IDOK 1, IDYES 6, ...)
//   FileDialogDriver box-text TITLE           prints the text of a message box
// TITLE is the dialog's caption; the dialog class is #32770. "choose" and "press" return once that
// very dialog is gone (the next box may carry the same title). Exit code 0 on success, 1 on failure.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <wchar.h>

#include <string>

namespace {

const UINT kTimeoutMs = 5000;

std::string Utf8(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? static_cast<size_t>(size) : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(out.size() > 0 ? out.size() - 1 : 0);
    return out;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        kTimeoutMs, &ignored);
    return text;
}

HWND FindDialog(const wchar_t* title) {
    HWND dialog = FindWindowW(L"#32770", title);
    if (!dialog) {
        fprintf(stderr, "FileDialogDriver: no dialog \"%s\"\n", Utf8(title).c_str());
    }
    return dialog;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    wchar_t className[64] = L"";
    GetClassNameW(child, className, 64);
    printf("%d %s \"%s\" parent=%d\n", GetDlgCtrlID(child), Utf8(className).c_str(),
           Utf8(TextOf(child).c_str()).c_str(), GetDlgCtrlID(GetParent(child)));
    return TRUE;
}

BOOL CALLBACK FindEdit(HWND child, LPARAM result) {
    wchar_t className[16] = L"";
    GetClassNameW(child, className, 16);
    if (_wcsicmp(className, L"Edit") == 0) {
        *reinterpret_cast<HWND*>(result) = child;
        return FALSE;
    }
    return TRUE;
}

// The file-name field: the edit inside control 0x47C (cmb13) of the Explorer-style dialog (Wine
// makes it a ComboBoxEx32 holding a ComboBox holding the Edit, all with id 0x47C), or the plain
// edit 0x480 (edt1) of the older style.
HWND FileNameField(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, 0x47C)) {
        HWND edit = nullptr;
        EnumChildWindows(combo, FindEdit, reinterpret_cast<LPARAM>(&edit));
        return edit ? edit : combo;
    }
    return GetDlgItem(dialog, 0x480);
}

// Posted, never sent: the button may open another modal loop (the overwrite prompt, a message box).
int Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    const DWORD start = GetTickCount();
    while (IsWindow(dialog)) {
        if (GetTickCount() - start > 10000) {
            fprintf(stderr, "FileDialogDriver: dialog still open 10 s after pressing %d\n", id);
            return 1;
        }
        Sleep(20);
    }
    return 0;
}

int Children(const wchar_t* title) {
    HWND dialog = FindDialog(title);
    if (!dialog) {
        return 1;
    }
    EnumChildWindows(dialog, PrintChild, 0);
    return 0;
}

int Choose(const wchar_t* title, const wchar_t* path) {
    HWND dialog = FindDialog(title);
    if (!dialog) {
        return 1;
    }
    HWND field = FileNameField(dialog);
    if (!field) {
        fprintf(stderr, "FileDialogDriver: no file-name field\n");
        return 1;
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path), SMTO_ABORTIFHUNG, kTimeoutMs,
                        &ignored);
    return Press(dialog, IDOK);
}

// The text of a message box is its static control with id 0xFFFF.
int BoxText(const wchar_t* title) {
    HWND box = FindDialog(title);
    if (!box) {
        return 1;
    }
    HWND text = GetDlgItem(box, 0xFFFF);
    if (!text) {
        fprintf(stderr, "FileDialogDriver: \"%s\" has no message text\n", Utf8(title).c_str());
        return 1;
    }
    printf("%s\n", Utf8(TextOf(text).c_str()).c_str());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY); // LF line ends for the shell
    if (argc == 3 && wcscmp(argv[1], L"children") == 0) {
        return Children(argv[2]);
    }
    if (argc == 4 && wcscmp(argv[1], L"choose") == 0) {
        return Choose(argv[2], argv[3]);
    }
    if (argc == 4 && wcscmp(argv[1], L"press") == 0) {
        HWND dialog = FindDialog(argv[2]);
        return dialog ? Press(dialog, _wtoi(argv[3])) : 1;
    }
    if (argc == 3 && wcscmp(argv[1], L"box-text") == 0) {
        return BoxText(argv[2]);
    }
    fprintf(stderr, "usage: FileDialogDriver children|box-text TITLE | choose TITLE PATH | press TITLE ID\n");
    return 2;
}
