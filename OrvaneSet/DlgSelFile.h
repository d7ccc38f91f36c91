// The file chooser: a list of one device folder (folders first, then the
// files of the chosen type), the path combo and the "Path" menu to jump up
// or down the folders, "View" between report and list, "Select". In
// folders-only mode the chosen entry is a folder. The folder shown is one
// value for the whole program, so the next use starts where this one
// ended; it never leaves the device (see settings/SelFileList.h).
#pragma once

#include "settings/EditorOptions.h"
#include "settings/SelFileList.h"
#include "ui/Dialog.h"

#include <string>
#include <vector>

class CDlgSelFile : public CDialog {
public:
    // No filters: every file. Mode: SELFILE_FOLDERS_ONLY, SELFILE_FILES_ONLY.
    explicit CDlgSelFile(std::vector<FileFilter> filters = {}, unsigned mode = 0);
    ~CDlgSelFile() override;

    // After OK: the chosen entry's name, as the list shows it.
    const std::wstring& Chosen() const { return m_strChosen; }
    // After OK: the chosen file's device path, or in folders-only mode the
    // chosen folder (ending in '\').
    std::wstring ChosenPath() const;

    // The folder the chooser shows, kept between uses: empty until set or
    // first used, else rooted and ending in '\'. Setting confines the path
    // to the device.
    static std::wstring CurrentFolder();
    static void SetCurrentFolder(const std::wstring& folder);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    LRESULT OnNotify(NMHDR* header, bool& handled) override;
    void OnSize(int width, int height) override;

private:
    void InitTexts();
    void InitList();
    void MakeBar();
    // Lists the current folder with the chosen filter, selects the first
    // choice and rebuilds the path combo and menu.
    void ListFolder();
    void FillList();
    void FillPaths();
    void GoTo(const std::wstring& folder);
    void Pick(int item);
    void Click(int item, bool twice);
    void SortBy(int column);
    void Select();
    // Fetched once per entry: the system's icon and type name.
    void FetchShellInfo(SelFileEntry& entry) const;
    void GetDisplay(NMLVDISPINFOW& info);
    void Place(int id, int x, int y, int width, int height) const;

    std::vector<FileFilter> m_Filters;
    unsigned m_nMode;
    std::vector<SelFileEntry> m_Entries;
    std::vector<PathLevel> m_Levels;
    std::wstring m_strChosen;
    HMENU m_hPathMenu = nullptr;  // the bar's popup: the bar owns it
    bool m_bEnteredByClick = false;
};
